// The enable-state model: each named state applied to the button sets a
// window can be in when the state is reached.
#include "seams/EnableStates.h"

#include <QTest>

Q_DECLARE_METATYPE(EnableState)

namespace {

QList<int> ids(const QList<CommandId>& commands) {
    QList<int> result(commands.begin(), commands.end());
    std::sort(result.begin(), result.end());
    return result;
}

QList<CommandId> commands(const QList<int>& numbers) {
    QList<CommandId> result;
    for (int number : numbers)
        result << CommandId(number);
    return result;
}

const QList<int> AllTen = {2, 1000, 1001, 1002, 1003, 1004, 1005, 1007, 1008, 1009};
const QList<int> AtStart = {2, 1001, 1005, 1007, 1008, 1009};

} // namespace

class TestEnableStates : public QObject {
    Q_OBJECT
private slots:
    void states_data() {
        QTest::addColumn<EnableState>("state");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        using S = EnableState;
        QTest::newRow("start") << S::AtStart << AllTen << AtStart;
        QTest::newRow("opened after start") << S::ConfigOpened << AtStart << AllTen;
        // "Also": what was disabled before and is not named stays disabled.
        QTest::newRow("opened while all off")
            << S::ConfigOpened << QList<int>{} << QList<int>{1000, 1001, 1002, 1003, 1004};
        QTest::newRow("configured after start")
            << S::Configured << AtStart
            << QList<int>{2, 1001, 1002, 1003, 1004, 1005, 1007, 1008, 1009};
        QTest::newRow("configured while all off")
            << S::Configured << QList<int>{} << QList<int>{1001, 1002, 1003, 1004};
        QTest::newRow("all off") << S::AllDisabled << AllTen << QList<int>{};
        QTest::newRow("all on") << S::AllEnabled << QList<int>{} << AllTen;
        QTest::newRow("prepare failed") << S::FromUnitPrepareFailed << QList<int>{}
                                        << QList<int>{2, 1000, 1001, 1005, 1008, 1009};
        QTest::newRow("prepare failed turns off")
            << S::FromUnitPrepareFailed << AllTen << QList<int>{2, 1000, 1001, 1005, 1008, 1009};
    }
    void states() {
        QFETCH(EnableState, state);
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        QCOMPARE(ids(enabledAfter(state, commands(before))), after);
    }
};

QTEST_GUILESS_MAIN(TestEnableStates)
#include "tst_enablestates.moc"
