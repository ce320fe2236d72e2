// The configuration as JSON (show --json, import), the import's refusals
// and diff, through the program and its core functions.
#include "CliRunner.h"
#include "cli/ConfigJson.h"
#include "config/ConfigFile.h"
#include "editor/ConfigSheetMapping.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

QByteArray byteRun(int first, int last) {
    QByteArray bytes;
    for (int b = first; b <= last; ++b)
        bytes.append(char(b));
    return bytes;
}

// Every byte value 1 to 255 in the texts, within the sheet's limits.
RegisterStore allBytesConfig() {
    SheetValues values;
    values.callers = byteRun(1, 156);
    values.clearCommand = byteRun(157, 255);
    values.pulseDuration = 30000;
    for (int i = 0; i < SheetInputCount; ++i) {
        values.inputs[i].phoneNumbers = byteRun(1 + i, 100 + i) + "0";
        values.inputs[i].highText = byteRun(100 + i, 255);
        values.inputs[i].lowText = byteRun(1, 156);
        values.inputs[i].voiceOnHigh = i % 2 == 0;
        values.inputs[i].voiceOnLow = i % 3 == 0;
    }
    for (int i = 0; i < SheetOutputCount; ++i) {
        values.outputs[i].pulse = i % 2 == 1;
        values.outputs[i].highText = byteRun(1, 255);
        values.outputs[i].lowText = byteRun(255 - i, 255);
    }
    RegisterStore store;
    RegisterSheetMapping::writeBack(values, store);
    return store;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QJsonObject baseJson() {
    return QJsonDocument::fromJson(configToJson(RegisterStore())).object();
}

// Changes one field of an entry in a list of the JSON.
std::function<void(QJsonObject&)> setEntry(const char* list, int index, const char* field,
                                           QJsonValue value) {
    return [=](QJsonObject& json) {
        QJsonArray entries = json[list].toArray();
        QJsonObject entry = entries[index].toObject();
        entry[field] = value;
        entries[index] = entry;
        json[list] = entries;
    };
}

std::function<void(QJsonObject&)> setParameter(const char* field, QJsonValue value) {
    return [=](QJsonObject& json) {
        QJsonObject parameters = json["parameters"].toObject();
        parameters[field] = value;
        json["parameters"] = parameters;
    };
}

} // namespace

class TestCliJson : public QObject {
    Q_OBJECT

private slots:
    void jsonRoundTripKeepsEveryByte() {
        QTemporaryDir dir;
        const QString made = dir.filePath("made.QRB");
        QVERIFY(saveConfigFile(made, allBytesConfig()));

        const CliRun shown = runCli({"show", "--json", made});
        QCOMPARE(shown.status, 0);
        QVERIFY(writeFile(dir.filePath("made.json"), shown.out));
        const CliRun imported =
            runCli({"import", dir.filePath("made.json"), dir.filePath("again.QRB")});
        QCOMPARE(imported.status, 0);
        QCOMPARE(fileBytes(dir.filePath("again.QRB")), fileBytes(made));

        // The JSON holds the bytes as characters, not escapes of UTF-8 guesses.
        const QJsonObject json = QJsonDocument::fromJson(shown.out).object();
        const QString high = json["outputs"].toArray()[0].toObject()["highText"].toString();
        QCOMPARE(high.size(), 255);
        QCOMPARE(high.at(0x80 - 1), QChar(0x20AC));
    }

    void importNeverReplacesWithoutForce() {
        QTemporaryDir dir;
        const QString json = dir.filePath("c.json");
        const QString out = dir.filePath("out.QRB");
        QVERIFY(writeFile(json, configToJson(allBytesConfig())));
        QVERIFY(writeFile(out, "keep"));

        CliRun run = runCli({"import", json, out});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains("--force"), run.err);
        QCOMPARE(fileBytes(out), QByteArray("keep"));

        run = runCli({"import", "--force", json, out});
        QCOMPARE(run.status, 0);
        QCOMPARE(fileBytes(out).size(), qsizetype(RegisterStore::ImageSize));
    }

    void importRefusesABadField_data() {
        QTest::addColumn<QByteArray>("json"); // empty: the base JSON changed by `change`
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("message");

        QTest::newRow("not JSON") << QByteArray("{\"parameters\": ") << -1 << "not JSON";
        QTest::newRow("not an object")
            << QByteArray("[]") << -1 << "the configuration must be a JSON object";
        QTest::newRow("unknown top field")
            << QByteArray("{\"paramters\": {}}") << -1 << "paramters: unknown field";
        const QStringList refusals = {
            "parameters.callers: at most 156 characters, not 157",
            "parameters.clearCommand: at most 155 characters, not 156",
            "parameters.pulseDuration: must lie from 100 to 30000",
            "parameters.pulseDuration: must lie from 100 to 30000",
            "parameters.pulseDuration: must be a whole number",
            "parameters.pulseDuration: must be a whole number",
            "inputs[0] (input 1).phoneNumbers: must not end with \".\"",
            "inputs[3] (input 4).highText: at most 156 characters, not 157",
            "inputs[15] (input 16).voiceOnLow: must be true or false",
            "inputs[2] (input 3).input: must be 3",
            "inputs: must be a list of 16 inputs",
            "outputs[5] (output 6).type: must be \"Normal\" or \"Pulse\"",
            "outputs[0] (output 1).highText: at most 255 characters, not 256",
            "outputs[1] (output 2).lowText: holds characters outside code page 1252",
            "outputs[1] (output 2).lowText: must not hold a zero character",
            "outputs[0] (output 1).lowtext: unknown field",
            "parameters.callers: must be a text",
            "parameters.pulseDuration: must lie from 100 to 30000",
        };
        for (int i = 0; i < refusals.size(); ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1 (row %2)").arg(refusals[i]).arg(i)))
                << QByteArray() << i << refusals[i];
    }

    void importRefusesABadField() {
        QFETCH(QByteArray, json);
        QFETCH(int, change);
        QFETCH(QString, message);
        const std::function<void(QJsonObject&)> changes[] = {
            setParameter("callers", QString(157, 'x')),
            setParameter("clearCommand", QString(156, 'x')),
            setParameter("pulseDuration", 99),
            setParameter("pulseDuration", 30001),
            setParameter("pulseDuration", "1000"),
            setParameter("pulseDuration", 150.5),
            setEntry("inputs", 0, "phoneNumbers", "123,456."),
            setEntry("inputs", 3, "highText", QString(157, 'x')),
            setEntry("inputs", 15, "voiceOnLow", "yes"),
            setEntry("inputs", 2, "input", 4),
            [](QJsonObject& j) {
                QJsonArray inputs = j["inputs"].toArray();
                inputs.removeLast();
                j["inputs"] = inputs;
            },
            setEntry("outputs", 5, "type", "pulse"),
            setEntry("outputs", 0, "highText", QString(256, 'x')),
            setEntry("outputs", 1, "lowText", QString::fromUtf8("caf\u00e9 \u4e2d")),
            setEntry("outputs", 1, "lowText", QString("a") + QChar(0) + "b"),
            setEntry("outputs", 0, "lowtext", "x"),
            setParameter("callers", 5),
            setParameter("pulseDuration", 1e300), // the range before any conversion
        };
        if (json.isEmpty()) {
            QJsonObject object = baseJson();
            changes[change](object);
            json = QJsonDocument(object).toJson();
        }
        const ConfigFromJson result = configFromJson(json);
        QVERIFY(!result.store);
        QVERIFY2(result.error.startsWith(message), qPrintable(result.error));
    }

    void refusalThroughTheProgram() {
        QTemporaryDir dir;
        QJsonObject json = baseJson();
        setParameter("pulseDuration", 50)(json);
        QVERIFY(writeFile(dir.filePath("bad.json"), QJsonDocument(json).toJson()));
        const CliRun run = runCli({"import", dir.filePath("bad.json"), dir.filePath("out.QRB")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains("parameters.pulseDuration: must lie from 100 to 30000"), run.err);
        QVERIFY(!QFile::exists(dir.filePath("out.QRB")));

        // A source that never ends or is far too large is refused, not read whole.
        QFile big(dir.filePath("big.json"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(2 * 1024 * 1024));
        big.close();
        const QList<QPair<QString, QString>> sources = {
            {"/dev/zero", "/dev/zero: not a regular file"},
            {big.fileName(), "big.json: larger than 1 MiB"}};
        for (const auto& [source, message] : sources) {
            const CliRun refused = runCli({"import", source, dir.filePath("out.QRB")});
            QCOMPARE(refused.status, 3);
            QVERIFY2(refused.err.contains(message.toUtf8()), refused.err);
            QVERIFY(!QFile::exists(dir.filePath("out.QRB")));
        }
    }

    void diffNamesFields() {
        SheetValues values;
        values.pulseDuration = 30000;
        values.inputs[3].highText = "Door";
        values.outputs[1].pulse = true;
        RegisterStore a;
        RegisterSheetMapping::writeBack(values, a);
        QVERIFY(configDifferences(a, a).isEmpty());

        values.pulseDuration = 250;
        values.inputs[3].highText = "Door \x80";
        values.outputs[1].pulse = false;
        RegisterStore b = a;
        RegisterSheetMapping::writeBack(values, b);
        b.slot(86)[200] = 'x';
        b.slot(84)[20] = '1'; // a flag character past the 16th
        QCOMPARE(configDifferences(a, b),
                 QStringList({"parameters.pulseDuration: 30000 -> 250",
                              QString::fromUtf8("inputs[3] (input 4).highText: \"Door\" -> "
                                                "\"Door \u20ac\""),
                              "outputs[1] (output 2).type: \"Pulse\" -> \"Normal\"",
                              "registers 84, 86: bytes that no field shows differ"}));

        RegisterStore spelled = a;
        spelled.setText(87, "030000");
        QCOMPARE(configDifferences(a, spelled),
                 QStringList({"register 87: spelled differently, read alike (such as \"0250\" "
                              "and \"250\", or a final \".\")"}));
        // Listed also when a field differs too.
        spelled.setText(17, "Door open");
        QCOMPARE(configDifferences(a, spelled),
                 QStringList({"inputs[0] (input 1).highText: \"\" -> \"Door open\"",
                              "register 87: spelled differently, read alike (such as \"0250\" "
                              "and \"250\", or a final \".\")"}));
    }

    void diffThroughTheProgram() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.QRB");
        const QString b = dir.filePath("b.QRB");
        RegisterStore store;
        store.setText(17, "Door open");
        QVERIFY(saveConfigFile(a, store));
        store.setText(17, "Door shut");
        QVERIFY(saveConfigFile(b, store));

        CliRun run = runCli({"diff", a, a});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray());
        run = runCli({"diff", a, b});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out,
                 QByteArray("inputs[0] (input 1).highText: \"Door open\" -> \"Door shut\"\n"));
        run = runCli({"diff", a, dir.filePath("missing.QRB")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains("missing.QRB: no such file"), run.err);
        QVERIFY(!QFile::exists(dir.filePath("missing.QRB")));
    }
};

QTEST_GUILESS_MAIN(TestCliJson)
#include "TestCliJson.moc"
