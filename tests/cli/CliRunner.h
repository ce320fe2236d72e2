// Runs the built quillary-cli for a test and keeps its exit status and output.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline CliRun
runCli(const QStringList& arguments,
       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUILLARY_CLI), arguments);
    CliRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = "quillary-cli did not finish";
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
