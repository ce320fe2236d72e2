// voice import, speak and list through the built program: the message names,
// the recording found as the program finds it, the exit statuses, and the
// listing of what Transfer to unit would send.
#include "CliRunner.h"
#include "TestSupport.h"
#include "config/ConfigFile.h"
#include "voice/WaveFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCliVoice : public QObject {
    Q_OBJECT

private slots:
    void voiceCommands() {
        QTemporaryDir dir;
        const QString config = dir.filePath("Site.QRB");
        RegisterStore store;
        store.setText(17, "Door open");        // input 1, high
        store.setText(84, "1000000000000001"); // voice on high for inputs 1 and 16
        QVERIFY(saveConfigFile(config, store));
        const QByteArray old = WaveFile::canonicalHeader(8000, 2) + "\x80\x80";
        // An earlier recording under another case of its name is the one replaced.
        writeFile(dir.filePath("site_h03.wav"), old);
        const QString tone = dir.filePath("tone.flac");
        QCOMPARE(QProcess::execute(
                     "sox", {"-n", "-r", "44100", "-c", "2", tone, "synth", "1", "sine", "440"}),
                 0);
        writeFile(dir.filePath("garbage.mp3"), QByteArray(4000, 'x'));

        CliRun run = runCli({"voice", "import", config, "GARBAGE", tone});
        QCOMPARE(run.status, 2);
        run = runCli({"voice", "import", config, "h3", dir.filePath("garbage.mp3")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains("garbage.mp3"), run.err.constData());
        QCOMPARE(readFile(dir.filePath("site_h03.wav")), old);
        run = runCli({"voice", "import", config, "h3", tone});
        QCOMPARE(run.status, 0);
        QCOMPARE(WaveFile::unitWaveProblem(dir.filePath("site_h03.wav")), QString());
        QVERIFY(!QFile::exists(dir.filePath("Site_H03.WAV")));

        run = runCli({"voice", "speak", config, "H01", "--language", "en"});
        QCOMPARE(run.status, 0);
        const qint64 spoken = WaveFile::WaveDataSize(dir.filePath("Site_H01.WAV"));
        QVERIFY(spoken > 2000);
        run = runCli({"voice", "speak", config, "L01", "--language", "en"});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("nothing to speak"), run.err.constData());
        QVERIFY(!QFile::exists(dir.filePath("Site_L01.WAV")));
        for (const char* prompt : {"SelectOutput", "selectonoff"})
            QCOMPARE(
                runCli({"voice", "speak", config, prompt, "--text", "Choose", "--language", "en"})
                    .status,
                0);

        // Without --language, the profile's VoiceRecorder/Language is the voice.
        QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath("config")));
        writeFile(home.filePath("config/quillary.ini"), "[VoiceRecorder]\nLanguage=xx\n");
        QProcess speak;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        speak.setProcessEnvironment(environment);
        speak.start(QUILLARY_CLI, {"voice", "speak", config, "H01"});
        QVERIFY(speak.waitForFinished(60000));
        QCOMPARE(speak.exitCode(), 2);
        QVERIFY(speak.readAllStandardError().contains("\"xx\""));

        run = runCli({"voice", "list", "--json", config});
        QCOMPARE(run.status, 0);
        const QJsonObject list = QJsonDocument::fromJson(run.out).object();
        const QJsonArray messages = list["messages"].toArray();
        QCOMPARE(messages.size(), 34);
        // The unit's order: high messages, low messages, the prompts.
        QCOMPARE(messages[0]["message"].toString(), QString("H01"));
        QCOMPARE(messages[16]["message"].toString(), QString("L01"));
        QCOMPARE(messages[33]["message"].toString(), QString("SelectOnOff"));
        QCOMPARE(messages[0]["sent"].toBool(), true);
        QCOMPARE(messages[0]["format"].toString(), QString("8-bit mono PCM, 8000 Hz"));
        QCOMPARE(messages[2]["file"].toString(), QString("site_h03.wav"));
        QCOMPARE(messages[2]["present"].toBool(), true);
        QCOMPARE(messages[2]["switchedOn"].toBool(), false); // present, but not sent
        QCOMPARE(messages[15]["present"].toBool(), false);   // H16: on, but missing
        qint64 prompts = 0;
        for (int i : {32, 33}) {
            QCOMPARE(messages[i]["sent"].toBool(), true);
            prompts += messages[i]["bytes"].toInteger();
        }
        QCOMPARE(list["totalBytes"].toInteger(), spoken + prompts);
        QCOMPARE(list["capacityBytes"].toInteger(), WaveFile::UnitMemoryCapacity);
        QCOMPARE(list["findings"].toArray().size(), 1);
        QCOMPARE(list["findings"][0]["code"].toString(), QString("voice-missing"));

        run = runCli({"voice", "list", config});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains(QString("Transfer to unit would send %L1 of the unit's")
                                     .arg(spoken + prompts)
                                     .toLocal8Bit()));
    }
};

QTEST_GUILESS_MAIN(TestCliVoice)
#include "TestCliVoice.moc"
