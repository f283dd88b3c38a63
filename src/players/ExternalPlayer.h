// An external engine behind the player interface: any Gomoku brain program, checked line by line.
#pragma once

#include "players/ComputerPlayer.h"
#include "protocol/LineSplitter.h"

#include <QString>
#include <QTimer>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

class QProcess;
struct TAnswer;

// The program is started as a process. Every line it prints is parsed and checked before it is
// used (a legal empty square, in time); anything else ends the engine with a message, never the
// game.
class TExternalPlayer final : public TComputerPlayer {
    Q_OBJECT

public:
    // How long an engine may take to start and to answer START and ABOUT.
    static constexpr std::chrono::milliseconds StartTime{5000};
    // How long past its time per move a move may come, for a busy machine.
    static constexpr std::chrono::milliseconds Grace{1000};

    // The program starts once control returns to the event loop, or at the first question.
    TExternalPlayer(const QString& program, std::chrono::milliseconds moveTime,
                    QObject* parent = nullptr);
    // Sends END and leaves the program a second to go before it is killed; nothing waits.
    ~TExternalPlayer() override;

    // The name from the engine's ABOUT, or its file name until that comes.
    QString Name() const override;
    void Ask(const TMoveQuestion& question) override;
    void Cancel() override;

private:
    enum class TReply { Ok, About, Move };
    // An answer the engine owes, in the order the commands went out.
    struct TOwed {
        TReply Kind = TReply::Ok;
        std::string Command; // named in messages
        TMoveQuestion Question;
        bool Dropped = false; // the question was cancelled: the move is checked, then ignored
    };

    void Start();
    void SendStart();
    void SendQuestion(const TMoveQuestion& question);
    void Send(const std::vector<std::string>& lines, TOwed owed);
    void ReadLines();
    void Take(const std::string& line);
    void TakeStart(const TAnswer& answer, const std::string& line, const TOwed& owed);
    bool TakeAbout(const TAnswer& answer, const std::string& line);
    void TakeMove(const TAnswer& answer, const std::string& line, const TOwed& owed);
    void ArmDeadline();
    void TimedOut();
    void Fail(const QString& problem);
    bool Idle() const;
    bool Follows(const TMoveQuestion& question) const;

    const QString Program;
    const std::chrono::milliseconds MoveTime;
    QProcess* Process = nullptr;
    TLineSplitter Splitter;
    QTimer Deadline;
    std::deque<TOwed> Owed;
    std::uint64_t Current = 0; // the ticket the game waits for; 0: none
    QString EngineName;
    // The position the engine holds after its last move, and the colour it played there.
    std::vector<TMoveRecord> Known;
    TStoneColor KnownColor = BlackStone;
    bool Broken = false;
    QString Problem;
};
