// rennor-brain: Rennor's computer players behind the Gomoku brain protocol on stdin and stdout.
#include "app/BrainPlayers.h"

#include <iostream>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The strong player takes a few megabytes of working memory for each move and gives it back.
// Kept by the allocator rather than mapped afresh, page by page, for every move, it costs the
// quickest answers nothing once the warm-up at START has touched it.
void KeepFreedMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

} // namespace

int main(int argc, char** argv) {
    TBrainSettings settings;
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::cout << BrainUsage;
        return 0;
    }
    if (const auto problem = ParseBrainArguments(argc, argv, settings)) {
        std::cerr << "rennor-brain: " << *problem << "\n" << BrainUsage;
        return 2;
    }
    // Unsynchronised, standard input is read as it comes, in chunks rather than byte by byte.
    std::ios::sync_with_stdio(false);
    KeepFreedMemory();
    TRennorBrain brain(settings);
    TBrainSession session(brain);
    ServeBrain(*std::cin.rdbuf(), std::cout, session);
    return 0;
}
