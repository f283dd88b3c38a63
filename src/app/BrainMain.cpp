// rennor-brain: Rennor's computer players behind the Gomoku brain protocol on stdin and stdout.
#include "app/BrainPlayers.h"

#include <iostream>
#include <string>

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
    TRennorBrain brain(settings);
    TBrainSession session(brain);
    // One thread: a move is chosen and written before the next line is read, as the protocol
    // asks of a brain that does not listen while it thinks.
    std::string line;
    while (!session.Ended() && std::getline(std::cin, line)) {
        for (const std::string& answer : session.Handle(line)) {
            std::cout << answer << '\n';
        }
        std::cout.flush();
    }
    return 0;
}
