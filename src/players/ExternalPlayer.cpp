// The manager's side of the brain protocol over a QProcess: commands, answers owed, checks.
#include "players/ExternalPlayer.h"

#include "players/EngineProcess.h"
#include "protocol/BrainProtocol.h"
#include "protocol/LineSplitter.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace {

// A name longer than this is cut, so that it fits where the windows show it.
constexpr qsizetype LongestName = 24;

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// What the engine printed, as a message may show it.
QString Shown(std::string_view text) {
    return QString::fromStdString(Excerpt(text));
}

QString Quoted(const std::string& text) {
    return Quoted(Shown(text));
}

// A square as the game shows it, counted from 1.
std::string Square(int X, int Y) {
    return std::to_string(X) + "," + std::to_string(Y);
}

bool Taken(const TMoveQuestion& question, int X, int Y) {
    return std::any_of(question.Moves.begin(), question.Moves.end(),
                       [&](const TMoveRecord& m) { return m.X == X && m.Y == Y; });
}

std::vector<std::string> BoardLines(const TMoveQuestion& question) {
    std::vector<TBoardEntry> entries;
    for (const TMoveRecord& m : question.Moves) {
        entries.push_back({m.X - 1, m.Y - 1, m.Color == question.ToMove ? 1 : 2});
    }
    return FormatBoard(entries);
}

bool SameMove(const TMoveRecord& a, const TMoveRecord& b) {
    return a.X == b.X && a.Y == b.Y && a.Color == b.Color;
}

} // namespace

TExternalPlayer::TExternalPlayer(const QString& program, std::chrono::milliseconds moveTime,
                                 QObject* parent)
    : TComputerPlayer(parent), Program(program), MoveTime(moveTime) {
    Deadline.setSingleShot(true);
    connect(&Deadline, &QTimer::timeout, this, &TExternalPlayer::TimedOut);
    // Started from the event loop, so that whoever created the player hears how it went.
    QTimer::singleShot(0, this, &TExternalPlayer::Start);
}

TExternalPlayer::~TExternalPlayer() {
    if (Process != nullptr && !Broken) {
        Retire();
    }
}

QString TExternalPlayer::Name() const {
    return EngineName.isEmpty() ? QFileInfo(Program).fileName() : EngineName;
}

void TExternalPlayer::Start() {
    if (Process != nullptr || Broken) {
        return;
    }
    if (IsThisProgram(Program)) {
        Fail(QStringLiteral("is Rennor itself, not a Gomoku brain"));
        return;
    }
    Process = new TEngineProcess(this);
    Process->setStandardErrorFile(QProcess::nullDevice());
    connect(Process, &QProcess::readyReadStandardOutput, this, &TExternalPlayer::ReadLines);
    connect(Process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            Fail(QStringLiteral("could not be started: %1").arg(Process->errorString()));
        }
    });
    connect(Process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        Fail(status == QProcess::CrashExit ? QStringLiteral("crashed")
                                           : QStringLiteral("stopped (exit code %1)").arg(code));
    });
    Process->Start(Program);
    SendStart();
    Send({"ABOUT"}, {TReply::About, "ABOUT", {}});
}

void TExternalPlayer::EndThinking() {
    Retire();
    Owed.clear();
    Deadline.stop();
    Known.clear();
    // Not at once: a player cancelled on its way out would start an engine only to end it.
    QTimer::singleShot(0, this, &TExternalPlayer::Start);
}

void TExternalPlayer::Retire() {
    const bool thinking = !Idle();
    Process->disconnect(this);
    if (Process->state() != QProcess::NotRunning) {
        Process->write("END\r\n");
    }
    Process->Retire(thinking ? std::chrono::milliseconds(0) : EndTime);
    Process = nullptr;
}

void TExternalPlayer::SendStart() {
    const std::string start = FormatStart(Size);
    Send({start, FormatInfo("timeout_turn", MoveTime.count()), FormatInfo("timeout_match", 0),
          FormatInfo("rule", static_cast<int>(Rule))},
         {TReply::Ok, start, {}});
    Known.clear();
}

void TExternalPlayer::Ask(const TMoveQuestion& question) {
    Cancel();
    Start();
    if (Broken) {
        emit Failed(Problem);
        return;
    }
    Current = question.Ticket;
    SendQuestion(question);
}

void TExternalPlayer::Cancel() {
    const std::uint64_t dropped = std::exchange(Current, 0);
    if (dropped == 0) {
        return;
    }
    if (!Idle()) {
        EndThinking();
    }
    emit Cancelled(dropped);
}

// The engine's own game is used where it leads to the question: TURN after its last move.
// Anything else (a new game, a loaded one, moves taken back, sides switched) is a game of its
// own to the engine: START, unless nothing was played since the last one, then BEGIN on an empty
// board or the whole position.
void TExternalPlayer::SendQuestion(const TMoveQuestion& question) {
    if (question.Size != Size || question.Rule != Rule) {
        Size = question.Size; // another game's board and rule: the engine starts afresh
        Rule = question.Rule;
        SendStart();
    }
    if (Follows(question)) {
        const TMoveRecord& last = question.Moves.back();
        Send({FormatTurn(last.X - 1, last.Y - 1)},
             {TReply::Move, "TURN " + Square(last.X, last.Y), question});
        return;
    }
    if (!Known.empty()) {
        SendStart();
    }
    if (question.Moves.empty()) {
        Send({"BEGIN"}, {TReply::Move, "BEGIN", question});
    } else {
        Send(BoardLines(question), {TReply::Move, "BOARD", question});
    }
}

bool TExternalPlayer::Idle() const {
    return std::none_of(Owed.begin(), Owed.end(),
                        [](const TOwed& o) { return o.Kind == TReply::Move; });
}

// An empty Known is the empty board of a fresh START, on which the engine has no colour yet.
bool TExternalPlayer::Follows(const TMoveQuestion& question) const {
    const std::vector<TMoveRecord>& moves = question.Moves;
    const bool sameSide = Known.empty() || question.ToMove == KnownColor;
    return Idle() && sameSide && moves.size() == Known.size() + 1 &&
           moves.back().Color != question.ToMove &&
           std::equal(Known.begin(), Known.end(), moves.begin(), SameMove);
}

void TExternalPlayer::Send(const std::vector<std::string>& lines, TOwed owed) {
    if (Broken) {
        return;
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    Process->write(text.data(), static_cast<qint64>(text.size()));
    Owed.push_back(std::move(owed));
    if (Owed.size() == 1) {
        ArmDeadline();
    }
}

void TExternalPlayer::ReadLines() {
    char chunk[LongestLine];
    while (!Broken && Process->bytesAvailable() > 0) {
        const qint64 count = Process->read(chunk, sizeof chunk);
        if (count <= 0) {
            break;
        }
        for (const TTextLine& line : Splitter.Feed({chunk, static_cast<std::size_t>(count)})) {
            if (Broken) {
                break;
            }
            if (line.TooLong) {
                Fail(QStringLiteral("printed more than %1 characters without an end of line")
                         .arg(LongestLine));
            } else {
                Take(QByteArray::fromStdString(line.Text).trimmed().toStdString());
            }
        }
    }
}

void TExternalPlayer::Take(const std::string& line) {
    const TAnswer answer = ParseAnswer(line);
    if (line.empty() || answer.Kind == TAnswerKind::Message || answer.Kind == TAnswerKind::Debug) {
        return; // allowed at any time, and meant for people
    }
    if (!Owed.empty() && Owed.front().Kind == TReply::About) {
        if (!TakeAbout(answer, line)) {
            return;
        }
    }
    if (Owed.empty()) {
        Fail(QStringLiteral("printed %1 when nothing was asked").arg(Quoted(line)));
        return;
    }
    const TOwed owed = std::move(Owed.front());
    Owed.pop_front();
    ArmDeadline();
    switch (owed.Kind) {
    case TReply::Ok:
        TakeStart(answer, line, owed);
        break;
    case TReply::About: // taken above
        break;
    case TReply::Move:
        TakeMove(answer, line, owed);
        break;
    }
}

void TExternalPlayer::TakeStart(const TAnswer& answer, const std::string& line, const TOwed& owed) {
    if (answer.Kind == TAnswerKind::Error) {
        Fail(QStringLiteral("refused %1: %2")
                 .arg(QString::fromStdString(owed.Command), Shown(answer.Text)));
    } else if (answer.Kind != TAnswerKind::Ok) {
        Fail(QStringLiteral("is not a Gomoku brain: it answered %1 to %2")
                 .arg(Quoted(line), QString::fromStdString(owed.Command)));
    }
}

// An engine without ABOUT keeps its file name; one that answers it is named as it says. An
// engine that says nothing to ABOUT has its next line taken as the answer to what follows: the
// answer to ABOUT is a list of key="value" fields, or UNKNOWN or ERROR. Whether the line is left
// for what follows.
bool TExternalPlayer::TakeAbout(const TAnswer& answer, const std::string& line) {
    const std::optional<TAbout> about = ParseAbout(line);
    Owed.pop_front();
    ArmDeadline();
    if (!about) {
        return answer.Kind != TAnswerKind::Unknown && answer.Kind != TAnswerKind::Error;
    }
    QString name = QString::fromStdString(about->Name);
    name.removeIf([](QChar c) { return !c.isPrint(); });
    name = name.trimmed().left(LongestName);
    if (!name.isEmpty() && name != EngineName) {
        EngineName = name;
        emit NameChanged(name);
    }
    return false;
}

void TExternalPlayer::TakeMove(const TAnswer& answer, const std::string& line, const TOwed& owed) {
    if (answer.Kind == TAnswerKind::Error) {
        Fail(QStringLiteral("reported an error: %1").arg(Shown(answer.Text)));
        return;
    }
    if (answer.Kind != TAnswerKind::Move) {
        Fail(QStringLiteral("answered %1, which is not a move").arg(Quoted(line)));
        return;
    }
    const int X = answer.X + 1;
    const int Y = answer.Y + 1;
    const QString square = QString::fromStdString(Square(X, Y));
    if (!OnBoard(X, Y) || Taken(owed.Question, X, Y)) {
        Fail(QStringLiteral("answered %1, a square that is %2")
                 .arg(square,
                      OnBoard(X, Y) ? QStringLiteral("taken") : QStringLiteral("off the board")));
        return;
    }
    Known = owed.Question.Moves;
    Known.push_back(TMoveRecord{owed.Question.ToMove, X, Y});
    KnownColor = owed.Question.ToMove;
    if (owed.Question.Ticket == Current) {
        Current = 0;
        emit Answered(owed.Question.Ticket, X, Y);
    }
}

void TExternalPlayer::ArmDeadline() {
    if (Owed.empty()) {
        Deadline.stop();
        return;
    }
    const bool move = Owed.front().Kind == TReply::Move;
    Deadline.start(move ? MoveTime + Grace : StartTime);
}

void TExternalPlayer::TimedOut() {
    if (Owed.front().Kind == TReply::About) { // ABOUT may go unanswered
        Owed.pop_front();
        ArmDeadline();
        return;
    }
    const double seconds = std::chrono::duration<double>(Deadline.intervalAsDuration()).count();
    Fail(QStringLiteral("did not answer %1 within %2 seconds")
             .arg(QString::fromStdString(Owed.front().Command))
             .arg(seconds, 0, 'g', 3));
}

void TExternalPlayer::Fail(const QString& problem) {
    if (Broken) {
        return;
    }
    Broken = true;
    const QString stop = problem.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
    Problem = QStringLiteral("The external engine %1 (%2) %3%4")
                  .arg(Quoted(Name()), Program, problem, stop);
    Deadline.stop();
    Owed.clear();
    Current = 0;
    if (Process != nullptr) {
        Process->disconnect(this);
        Process->EndGroup();
    }
    emit Failed(Problem);
}
