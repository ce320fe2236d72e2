// The configuration as JSON (show --json, import), the import's refusals
// and diff, through the program and its core functions.
#include "CliRunner.h"
#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "config/ConfigJson.h"

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
    ConfigValues values;
    values.callers = byteRun(1, 156);
    values.clearCommand = byteRun(157, 255);
    values.pulseDuration = 30000;
    for (int i = 0; i < ConfigInputCount; ++i) {
        values.inputs[i].phoneNumbers = byteRun(1 + i, 100 + i) + "0";
        values.inputs[i].highText = byteRun(100 + i, 255);
        values.inputs[i].lowText = byteRun(1, 156);
        values.inputs[i].voiceOnHigh = i % 2 == 0;
        values.inputs[i].voiceOnLow = i % 3 == 0;
    }
    for (int i = 0; i < ConfigOutputCount; ++i) {
        values.outputs[i].pulse = i % 2 == 1;
        values.outputs[i].highText = byteRun(1, 255);
        values.outputs[i].lowText = byteRun(255 - i, 255);
    }
    RegisterStore store;
    ConfigMapping::write(values, store);
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

// The JSON of an empty configuration, as written by hand: without "extra".
QJsonObject baseJson() {
    QJsonObject json = QJsonDocument::fromJson(configToJson(RegisterStore())).object();
    json.remove("extra");
    return json;
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

    // show --json then import gives back any image byte for byte.
    void everyImageRoundTrips_data() {
        QTest::addColumn<QByteArray>("image");
        const auto image = [](const RegisterStore& store) {
            return QByteArray(reinterpret_cast<const char*>(store.data()),
                              RegisterStore::ImageSize);
        };
        for (quint32 seed : {1u, 2u, 3u}) {
            QRandomGenerator random(seed);
            QByteArray bytes(RegisterStore::ImageSize, '\0');
            for (char& byte : bytes)
                byte = char(random.bounded(256));
            QTest::newRow(qPrintable(QStringLiteral("random %1").arg(seed))) << bytes;
        }
        QTest::newRow("a new file: all zero") << QByteArray(RegisterStore::ImageSize, '\0');
        QTest::newRow("no zero in any slot") << QByteArray(RegisterStore::ImageSize, '\xff');

        RegisterStore tails = allBytesConfig();
        for (int reg = 1; reg <= RegisterStore::RegisterCount; ++reg) {
            tails.setText(reg, "T");
            for (int i = 2; i < RegisterStore::SlotSize; ++i)
                tails.slot(reg)[i] = static_cast<unsigned char>(reg + i);
        }
        QTest::newRow("every byte value after a text's end") << image(tails);

        RegisterStore hidden = allBytesConfig();
        for (int i = 0; i < RegisterStore::SlotSize; ++i)
            hidden.slot(86)[i] = static_cast<unsigned char>(255 - i);
        hidden.setText(83, "OPXPOOOOOOOOOOOOPPPP");
        hidden.setText(84, "10101010101010101111000011110000");
        hidden.setText(85, "");
        hidden.slot(85)[3] = '1';
        hidden.setText(1, "123.");
        hidden.setText(2, "5..");
        hidden.setText(3, ".");
        QTest::newRow("register 86, flags past the 16th, final dots") << image(hidden);
        for (const char* pulse : {"0250", "", "abc", "-5", "99999999999", " 250", "+30000x"}) {
            RegisterStore spelled = allBytesConfig();
            spelled.setText(87, pulse);
            QTest::newRow(qPrintable(QStringLiteral("pulse spelt \"%1\"").arg(pulse)))
                << image(spelled);
        }
    }

    void everyImageRoundTrips() {
        QFETCH(QByteArray, image);
        RegisterStore store;
        std::copy(image.begin(), image.end(), store.data());
        const ConfigFromJson back = configFromJson(configToJson(store));
        QVERIFY2(back.store, qPrintable(back.error));
        QCOMPARE(differingRegisters(*back.store, store), QStringList());
    }

    // One field changed in the JSON is one line changed in the JSON of the
    // file it makes, also in a register whose tail is carried; a JSON
    // without "extra" gives what the fields alone write.
    void oneFieldIsOneLine() {
        RegisterStore store = allBytesConfig();
        store.setText(17, "Door open");
        store.slot(17)[100] = 'x';
        store.setText(87, "0250");
        const QByteArray json = configToJson(store);
        QVERIFY(json.contains("\"extra\""));
        QByteArray changed = json;
        changed.replace("\"highText\": \"Door open\"", "\"highText\": \"Door\"");
        const ConfigFromJson back = configFromJson(changed);
        QVERIFY2(back.store, qPrintable(back.error));
        QCOMPARE(configToJson(*back.store), changed);
        const QList<QByteArray> before = json.split('\n'), after = changed.split('\n');
        QCOMPARE(before.size(), after.size());
        int differing = 0;
        for (int i = 0; i < before.size(); ++i)
            differing += before[i] != after[i];
        QCOMPARE(differing, 1);

        QJsonObject plain = QJsonDocument::fromJson(json).object();
        plain.remove("extra");
        const ConfigFromJson fieldsOnly = configFromJson(QJsonDocument(plain).toJson());
        QVERIFY(fieldsOnly.store);
        QCOMPARE(differingRegisters(*fieldsOnly.store, store), (QStringList{"17", "87"}));
        QCOMPARE(fieldsOnly.store->text(87), QByteArray("250"));

        // Where a field and its register's own spelling disagree, the field wins
        // and the bytes it does not cover stay.
        store.setText(84, "10000000000000001111");
        QJsonObject edited = QJsonDocument::fromJson(configToJson(store)).object();
        setParameter("pulseDuration", 300)(edited);
        setEntry("inputs", 1, "voiceOnHigh", true)(edited);
        const ConfigFromJson fieldsWin = configFromJson(QJsonDocument(edited).toJson());
        QVERIFY(fieldsWin.store);
        QCOMPARE(fieldsWin.store->text(87), QByteArray("300"));
        QCOMPARE(fieldsWin.store->text(84), QByteArray("11000000000000001111"));
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
            "parameters.callers: at most 255 characters, not 256",
            "parameters.pulseDuration: must lie from 1 to 2147483647",
            "parameters.pulseDuration: must be a whole number",
            "parameters.pulseDuration: must be a whole number",
            "inputs[15] (input 16).voiceOnLow: must be true or false",
            "inputs[2] (input 3).input: must be 3",
            "inputs: must be a list of 16 inputs",
            "outputs[5] (output 6).type: must be \"Normal\" or \"Pulse\"",
            "outputs[0] (output 1).highText: at most 255 characters, not 256",
            "outputs[1] (output 2).lowText: holds characters outside code page 1252",
            "outputs[1] (output 2).lowText: must not hold a zero character",
            "outputs[0] (output 1).lowtext: unknown field",
            "parameters.callers: must be a text",
            "parameters.pulseDuration: must lie from 1 to 2147483647",
            "extra.88: must be a register number, 1 to 87",
            "extra.017: must be a register number, 1 to 87",
            "extra.17.text: must be a text of at most 255 characters of code page 1252 without",
            "extra.17.tail: must be a text of at most 255 characters of code page 1252",
            "extra.17: text and tail together exceed the register's 256 bytes",
            "extra.17.tale: unknown field",
            "extra: must be an object",
        };
        for (int i = 0; i < refusals.size(); ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1 (row %2)").arg(refusals[i]).arg(i)))
                << QByteArray() << i << refusals[i];
    }

    void importRefusesABadField() {
        QFETCH(QByteArray, json);
        QFETCH(int, change);
        QFETCH(QString, message);
        const auto setExtra = [](QJsonValue value) {
            return [=](QJsonObject& j) { j["extra"] = value; };
        };
        const std::function<void(QJsonObject&)> changes[] = {
            setParameter("callers", QString(256, 'x')),
            setParameter("pulseDuration", 0),
            setParameter("pulseDuration", "1000"),
            setParameter("pulseDuration", 150.5),
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
            setExtra(QJsonObject{{"88", QJsonObject{{"tail", "x"}}}}),
            setExtra(QJsonObject{{"017", QJsonObject{{"tail", "x"}}}}),
            setExtra(QJsonObject{{"17", QJsonObject{{"text", QString("a") + QChar(0)}}}}),
            setExtra(QJsonObject{{"17", QJsonObject{{"tail", QString::fromUtf8("\u4e2d")}}}}),
            setExtra(QJsonObject{
                {"17", QJsonObject{{"text", QString(200, 'a')}, {"tail", QString(56, 'b')}}}}),
            setExtra(QJsonObject{{"17", QJsonObject{{"tale", "x"}}}}),
            setExtra("x"),
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

    // What the editor would refuse but a register holds is imported with a
    // warning naming the field and the rule; --strict refuses it.
    void importWarnsWhereTheEditorWouldRefuse_data() {
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("warning");
        const QStringList warnings = {
            "parameters.callers: the editor takes at most 156 characters, not 255",
            "parameters.clearCommand: the editor takes at most 155 characters, not 156",
            "inputs[3] (input 4).highText: the editor takes at most 156 characters, not 157",
            "parameters.pulseDuration: the editor takes 100 to 30000, not 50",
            "parameters.pulseDuration: the editor takes 100 to 30000, not 2147483647",
            "inputs[0] (input 1).phoneNumbers: a final \".\" is removed when storing",
        };
        for (int i = 0; i < warnings.size(); ++i)
            QTest::newRow(qPrintable(warnings[i])) << i << warnings[i];
    }

    void importWarnsWhereTheEditorWouldRefuse() {
        QFETCH(int, change);
        QFETCH(QString, warning);
        const std::function<void(QJsonObject&)> changes[] = {
            setParameter("callers", QString(255, 'x')),
            setParameter("clearCommand", QString(156, 'x')),
            setEntry("inputs", 3, "highText", QString(157, 'x')),
            setParameter("pulseDuration", 50),
            setParameter("pulseDuration", 2147483647),
            setEntry("inputs", 0, "phoneNumbers", "123,456."),
        };
        QJsonObject object = baseJson();
        changes[change](object);
        const ConfigFromJson result = configFromJson(QJsonDocument(object).toJson());
        QVERIFY(result.store);
        QCOMPARE(result.warnings.size(), 1);
        QVERIFY2(result.warnings[0].startsWith(warning), qPrintable(result.warnings[0]));
        // Imported as the JSON says, except the dot the editor drops too.
        QJsonObject shown = QJsonDocument::fromJson(configToJson(*result.store)).object();
        if (change == 5)
            setEntry("inputs", 0, "phoneNumbers", "123,456")(object);
        QCOMPARE(shown, object);

        if (change != 3)
            return;
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("warn.json"), QJsonDocument(object).toJson()));
        const QString out = dir.filePath("out.QRB");
        CliRun run = runCli({"import", "--strict", dir.filePath("warn.json"), out});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains(warning.toUtf8()), run.err);
        QVERIFY(!QFile::exists(out));
        run = runCli({"import", dir.filePath("warn.json"), out});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("warning: " + dir.filePath("warn.json").toUtf8() + ": " +
                                  warning.toUtf8()),
                 run.err);
        QVERIFY(fileBytes(out).mid(86 * 256).startsWith(QByteArray("50\0", 3)));
    }

    void refusalThroughTheProgram() {
        QTemporaryDir dir;
        QJsonObject json = baseJson();
        setParameter("pulseDuration", 0)(json);
        QVERIFY(writeFile(dir.filePath("bad.json"), QJsonDocument(json).toJson()));
        const CliRun run = runCli({"import", dir.filePath("bad.json"), dir.filePath("out.QRB")});
        QCOMPARE(run.status, 3);
        QVERIFY2(run.err.contains("parameters.pulseDuration: must lie from 1 to 2147483647"),
                 run.err);
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
        ConfigValues values;
        values.pulseDuration = 30000;
        values.inputs[3].highText = "Door";
        values.outputs[1].pulse = true;
        RegisterStore a;
        ConfigMapping::write(values, a);
        QVERIFY(configDifferences(a, a).isEmpty());

        values.pulseDuration = 250;
        values.inputs[3].highText = "Door \x80";
        values.outputs[1].pulse = false;
        RegisterStore b = a;
        ConfigMapping::write(values, b);
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
