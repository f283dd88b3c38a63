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

class TEngineProcess;
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
    // How long an engine that is not thinking may take to end after END.
    static constexpr std::chrono::milliseconds EndTime{1000};

    // The program starts once control returns to the event loop, or at the first question.
    TExternalPlayer(const QString& program, std::chrono::milliseconds moveTime,
                    QObject* parent = nullptr);
    // Ends the program and all it started; nothing waits (see Retire).
    ~TExternalPlayer() override;

    // The name from the engine's ABOUT, or its file name until that comes.
    QString Name() const override;
    void Ask(const TMoveQuestion& question) override;
    // A thinking engine is ended and started afresh: it would hear nothing before it had
    // answered the dropped question, so the next answer would take up to twice the time.
    void Cancel() override;

private:
    enum class TReply { Ok, About, Move };
    // An answer the engine owes, in the order the commands went out.
    struct TOwed {
        TReply Kind = TReply::Ok;
        std::string Command; // named in messages
        TMoveQuestion Question;
    };

    void Start();
    // The engine goes; a fresh one starts from the event loop, or at the next question.
    void EndThinking();
    // Sends END; a thinking engine cannot read it, so its group ends at once, an idle one's
    // when it ends or EndTime has passed.
    void Retire();
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
    TEngineProcess* Process = nullptr;
    TLineSplitter Splitter;
    QTimer Deadline;
    std::deque<TOwed> Owed;
    std::uint64_t Current = 0; // the ticket the game waits for; 0: none
    QString EngineName;
    // The position the engine holds after its last move, and the colour it played there.
    std::vector<TMoveRecord> Known;
    TStoneColor KnownColor = BlackStone;
    // The board size and rule the engine was last started with.
    int Size = BoardSize;
    TRule Rule = TRule::Freestyle;
    bool Broken = false;
    QString Problem;
};
