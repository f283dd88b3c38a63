// The main window's pictures: icon, tool glyphs, stone pictures, captions and digit strips.
#include "ui/MainForm.h"

#include "resources/Artwork.h"
#include "widgets/Digits.h"
#include "widgets/TurnStone.h"

#include <QLabel>
#include <QToolButton>

namespace {

void SetPicture(QLabel* label, const QPixmap& picture, QSize size) {
    label->setPixmap(picture);
    label->resize(size);
}

} // namespace

void TMainForm::LoadArtwork() {
    using namespace Artwork;
    setWindowIcon(WindowIcon());

    const std::pair<QToolButton*, TToolGlyph> glyphs[] = {
        {NewGameButton, TToolGlyph::NewGame},
        {LoadGameButton, TToolGlyph::LoadGame},
        {SaveGameButton, TToolGlyph::SaveGame},
        {OptionsButton, TToolGlyph::Options},
    };
    for (const auto& [button, glyph] : glyphs) {
        button->setIcon(QIcon(ToolGlyph(glyph)));
        button->setIconSize(ToolGlyphSize);
    }

    SetPicture(NoughtImage, WhiteStonePicture(), {20, 20});
    SetPicture(CrossImage, BlackStonePicture(), {20, 20});
    SetPicture(Image1, MovesCaption(), MovesCaptionSize);
    SetPicture(Image2, CoordinatesCaption(), CoordinatesCaptionSize);
    SetPicture(TimeElapsedImage, TimeElapsedCaption(), TimeElapsedCaptionSize);

    MovesDone->SetBmpDigits(BigDigits());
    TimeElapsed->SetBmpDigits(BigDigits());
    TimeElapsed->SetBmpTimeSeparator(TimeSeparator());
    DigitalCoordinates->SetBmpDigits(SmallDigits());
    DigitalCoordinates->SetBmpTimeSeparator(TimeSeparator());
}

void TMainForm::RegisterCursors() {
    WhiteCursor = Artwork::WhiteArrowCursor();
    BlackCursor = Artwork::BlackArrowCursor();
}
