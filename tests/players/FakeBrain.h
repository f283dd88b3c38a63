// The fake brain that engine tests start through real pipes: a shell script that keeps the
// protocol in whatever way a test gives it.
#pragma once

#include <QFile>
#include <QTemporaryDir>

// A brain that keeps the protocol, answering START, ABOUT and every TURN with its shell
// functions start, about and move, which %1 may redefine, and BEGIN with the centre; n counts
// the TURNs and the positions given whole (DONE), and every line it reads goes to its log.
inline constexpr char FakeBrain[] = R"(#!/bin/sh
start() { echo OK; }
about() { echo 'name="Fake"'; }
%1
n=0
while read -r cmd rest; do
  echo "$cmd $rest" >>"$0.log"
  case "$cmd" in
    START*) start ;;
    ABOUT*) about ;;
    BEGIN*) echo 9,9 ;;
    TURN*|DONE*) n=$((n+1)); move ;;
  esac
done
)";

inline QString WriteBrain(const QTemporaryDir& folder, const char* name, const char* shell) {
    const QString program = folder.filePath(QLatin1String(name));
    QFile file(program);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QString::fromLatin1(FakeBrain).arg(QLatin1String(shell)).toUtf8());
        file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    return program;
}
