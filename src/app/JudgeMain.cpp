// rennor-judge: the rules' judge on standard input and output, for tools that referee games.
#include "variants/Judge.h"

#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace {

const char Usage[] =
    "usage: rennor-judge\n"
    "Reads lines: \"NEW size rule\" starts a game on a board of 15 to 22 under rule 0 (five or\n"
    "more), 1 (exactly five) or 4 (renju), answered OK; \"x,y,colour\" (1 black, 2 white, from\n"
    "0,0) judges that stone and then places it, answered OK, WIN, FOUL and why, or ILLEGAL and\n"
    "why.\n";

struct TGame {
    TRule Rule = TRule::Freestyle;
    std::unique_ptr<TRuleBoard> Board;
};

std::string NewGame(std::istringstream& in, TGame& game) {
    int size = 0, rule = -1;
    if (!(in >> size >> rule) || size < 15 || size > 22 || (rule != 0 && rule != 1 && rule != 4)) {
        return "ILLEGAL a game is NEW size rule: size 15 to 22, rule 0, 1 or 4";
    }
    game.Rule = static_cast<TRule>(rule);
    game.Board = std::make_unique<TRuleBoard>(size);
    return "OK";
}

std::string Move(const std::string& line, TGame& game) {
    int x = -1, y = -1, c = 0;
    char comma1 = 0, comma2 = 0;
    std::istringstream in(line);
    if (!game.Board) {
        return "ILLEGAL no game: NEW comes first";
    }
    if (!(in >> x >> comma1 >> y >> comma2 >> c) || comma1 != ',' || comma2 != ',' ||
        (c != BlackStone && c != WhiteStone)) {
        return "ILLEGAL a move is x,y,colour";
    }
    const int size = game.Board->Size();
    if (x < 0 || y < 0 || x >= size || y >= size) {
        return "ILLEGAL off the board";
    }
    if (game.Board->At(x, y) != NoStone) {
        return "ILLEGAL the square is taken";
    }
    const TVerdict verdict = Judge(game.Rule, *game.Board, x, y, static_cast<TStoneColor>(c));
    game.Board->Set(x, y, static_cast<TStoneColor>(c));
    return verdict.Wins        ? "WIN"
           : verdict.Allowed() ? "OK"
                               : std::string("FOUL ") + FoulName(verdict.Foul);
}

} // namespace

int main(int argc, char**) {
    if (argc > 1) {
        std::cout << Usage;
        return 2;
    }
    TGame game;
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        std::cout << (word == "NEW" ? NewGame(in, game) : Move(line, game)) << std::endl;
    }
    return 0;
}
