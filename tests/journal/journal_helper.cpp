// Journal work in a process of its own, for the tests of what several
// programs, a crash and an unprivileged user do to one journal:
//   journal_helper begin PATH          begins a record, prints its id, waits to be killed
//   journal_helper record PATH N TAG   prints "ready", waits for a line on standard
//                                      input, then records N writes, TAG as their
//                                      configuration path
//   journal_helper open PATH           opens the journal and begins a record
// On a failure the journal's message goes to standard output and the exit
// status is 1.
#include "journal/Journal.h"

#include <QCoreApplication>
#include <QTextStream>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3)
        return 2;
    const QString command = arguments[1];
    QTextStream out(stdout);
    QString error;
    const auto journal = Journal::open(arguments[2], &error);
    if (!journal) {
        out << error << Qt::endl;
        return 1;
    }
    if (command == QLatin1String("begin") || command == QLatin1String("open")) {
        JournalRecord record = newJournalRecord(QStringLiteral("write"));
        if (!journal->begin(record, &error)) {
            out << error << Qt::endl;
            return 1;
        }
        if (command == QLatin1String("open"))
            return 0;
        out << record.id << Qt::endl;
        ::alarm(60); // never outlives a test that forgot it
        for (;;)
            ::pause();
    }
    if (command == QLatin1String("record") && arguments.size() == 5) {
        // Two of these start writing together, not one after the other.
        out << "ready" << Qt::endl;
        QTextStream(stdin).readLine();
        for (int i = 0; i < arguments[3].toInt(); ++i) {
            JournalRecord record = newJournalRecord(QStringLiteral("write"));
            record.configPath = arguments[4];
            bool ok = journal->begin(record, &error);
            if (ok) {
                record.finished = QDateTime::currentDateTimeUtc();
                record.result = QStringLiteral("ok");
                ok = journal->complete(record, &error);
            }
            if (!ok) {
                out << error << Qt::endl;
                return 1;
            }
        }
        return 0;
    }
    return 2;
}
