// The program-wide live settings, at their start values.
#include "core/LiveSettings.h"

TLiveSettings Live;
