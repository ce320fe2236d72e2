// The mail session's rules over a fake transport: availability, the logon
// flags and its single retry, logoff, recipient resolution, the message as
// handed on, and the result codes left behind.
#include "FakeMailTransport.h"
#include "mail/MapiMailSession.h"

#include <QtTest>

class TestMailSession : public QObject {
    Q_OBJECT
private slots:
    void availabilityIsKnownBeforeLogon();
    void logon_data();
    void logon();
    void userAbortKeepsTheLastError();
    void logoffTwiceAndOnDestruction();
    void sendResolvesWhatItCanAndSendsTheRest();
    void sendWithoutAttachmentsAndItsFailures();
};

void TestMailSession::availabilityIsKnownBeforeLogon() {
    CMapiMailSession none(nullptr);
    QVERIFY(!none.IsMapiAvailable());
    QVERIFY(!none.Logon(QStringLiteral("p")));

    FakeMailTransport transport;
    transport.available = false;
    CMapiMailSession unset(&transport);
    QVERIFY(!unset.IsMapiAvailable());
    CMapiMessage message;
    QVERIFY(!unset.Send(message));
    QVERIFY(transport.calls.isEmpty());
}

void TestMailSession::logon_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<quintptr>("parent");
    QTest::addColumn<QList<quint32>>("results");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("loggedOn");
    QTest::addColumn<quint32>("lastError");

    // A named profile never asks, even with a window to ask from.
    QTest::newRow("profile") << "P" << quintptr(42) << QList<quint32>{}
                             << QStringList{"logon(0,P,pw,2)"} << true << quint32(0);
    QTest::newRow("no profile, a window")
        << "" << quintptr(42) << QList<quint32>{} << QStringList{"logon(42,null,null,3)"} << true
        << quint32(0);
    QTest::newRow("no profile, no window")
        << "" << quintptr(0) << QList<quint32>{} << QStringList{"logon(0,null,null,2)"} << true
        << quint32(0);
    QTest::newRow("retry succeeds")
        << "P" << quintptr(0) << QList<quint32>{MailLoginFailure, MailSuccess}
        << QStringList{"logon(0,P,pw,2)", "logon(0,null,null,0)"} << true << quint32(0);
    QTest::newRow("retry fails, its result kept")
        << "P" << quintptr(0) << QList<quint32>{MailLoginFailure, MailFailure}
        << QStringList{"logon(0,P,pw,2)", "logon(0,null,null,0)"} << false << quint32(MailFailure);
    QTest::newRow("user abort: no retry")
        << "" << quintptr(42) << QList<quint32>{MailUserAbort, MailSuccess}
        << QStringList{"logon(42,null,null,3)"} << false << quint32(0);
}

void TestMailSession::logon() {
    QFETCH(QString, profile);
    QFETCH(quintptr, parent);
    QFETCH(QList<quint32>, results);
    QFETCH(QStringList, calls);
    QFETCH(bool, loggedOn);
    QFETCH(quint32, lastError);

    FakeMailTransport transport;
    transport.logonResults = results;
    CMapiMailSession session(&transport);
    QVERIFY(session.IsMapiAvailable());
    QCOMPARE(session.Logon(profile, QStringLiteral("pw"), parent), loggedOn);
    QCOMPARE(session.IsLoggedOn(), loggedOn);
    QCOMPARE(transport.calls, calls);
    QCOMPARE(session.LastError(), lastError);
}

void TestMailSession::userAbortKeepsTheLastError() {
    FakeMailTransport transport;
    transport.sendResults = {MailUnknownRecipient};
    CMapiMailSession session(&transport);
    CMapiMessage message;
    QVERIFY(!session.Send(message));
    QCOMPARE(session.LastError(), quint32(MailUnknownRecipient));
    QCOMPARE(session.LastErrorReason(), transport.reason);

    transport.logonResults = {MailUserAbort};
    QVERIFY(!session.Logon(QString()));
    QCOMPARE(session.LastError(), quint32(MailUnknownRecipient));
}

void TestMailSession::logoffTwiceAndOnDestruction() {
    FakeMailTransport transport;
    transport.logoffResult = MailFailure;
    {
        CMapiMailSession session(&transport);
        QVERIFY(!session.Logoff());
        QVERIFY(session.Logon(QStringLiteral("P")));
        QVERIFY(session.Logoff()); // true whatever the transport answered
        QCOMPARE(session.LastError(), quint32(MailFailure));
        QVERIFY(!session.IsLoggedOn());
        transport.logoffResult = MailSuccess;
        QVERIFY(!session.Logoff());
        QCOMPARE(session.LastError(), quint32(MailFailure));

        QVERIFY(session.Logon(QStringLiteral("P"))); // logs on afresh; destruction logs off
    }
    QCOMPARE(transport.calls,
             (QStringList{"logon(0,P,,2)", "logoff(77)", "logon(0,P,,2)", "logoff(77)"}));
}

void TestMailSession::sendResolvesWhatItCanAndSendsTheRest() {
    FakeMailTransport transport;
    transport.resolvable = {{"ann", "Ann Smith <ann@example.org>"}};
    CMapiMailSession session(&transport);
    QVERIFY(session.Logon(QStringLiteral("P")));

    CMapiMessage message;
    message.m_To = {"ann", "bob@example.org; cy@example.org"};
    message.m_Cc = {"dee"};
    message.m_Bcc = {"eve"};
    message.m_sSubject = QStringLiteral("Sujet: été");
    message.m_sBody = QStringLiteral("line 1\nline 2");
    message.m_AttachmentPaths = {"/tmp/a.zip", "/tmp/b.bin"};
    message.m_AttachmentNames = {"A.zip", "B.bin"};
    QVERIFY(session.Send(message));
    QCOMPARE(session.LastError(), quint32(0));
    QCOMPARE(session.LastErrorReason(), QString());

    // Resolved names stand in the message afterwards; the others go as typed.
    QCOMPARE(message.m_To,
             (QStringList{"Ann Smith <ann@example.org>", "bob@example.org; cy@example.org"}));
    QCOMPARE(message.m_Cc, QStringList{"dee"});
    QCOMPARE(transport.sent.size(), 1);
    const MailEnvelope& sent = transport.sent.constFirst();
    QCOMPARE(sent.subject, message.m_sSubject);
    QCOMPARE(sent.body, message.m_sBody);
    QCOMPARE(sent.recipients,
             (QList<MailRecipient>{{RecipientClass::To, "Ann Smith <ann@example.org>"},
                                   {RecipientClass::To, "bob@example.org; cy@example.org"},
                                   {RecipientClass::Cc, "dee"},
                                   {RecipientClass::Bcc, "eve"}}));
    QCOMPARE(sent.attachments,
             (QList<MailAttachment>{{"/tmp/a.zip", "A.zip"}, {"/tmp/b.bin", "B.bin"}}));
    QCOMPARE(transport.calls.mid(1),
             (QStringList{"resolve(77,ann)", "resolve(77,bob@example.org; cy@example.org)",
                          "resolve(77,dee)", "resolve(77,eve)", "send(77)"}));
}

void TestMailSession::sendWithoutAttachmentsAndItsFailures() {
    FakeMailTransport transport;
    transport.resolvable = {{"ann", "ann"}};
    CMapiMailSession session(&transport);
    QVERIFY(session.Logon(QStringLiteral("P")));

    CMapiMessage message;
    message.m_To = {"ann"};
    QVERIFY(session.Send(message));
    QVERIFY(transport.sent.constLast().attachments.isEmpty());

    // Without names the recipient sees the path.
    message.m_AttachmentPaths = {"/tmp/a.zip"};
    QVERIFY(session.Send(message));
    QCOMPARE(transport.sent.constLast().attachments,
             (QList<MailAttachment>{{"/tmp/a.zip", "/tmp/a.zip"}}));

    // Fewer names than paths is refused before anything is sent.
    message.m_AttachmentPaths = {"/tmp/a.zip", "/tmp/b.zip"};
    message.m_AttachmentNames = {"A.zip"};
    QVERIFY(!session.Send(message));
    QCOMPARE(session.LastError(), quint32(MailInvalidMessage));
    QCOMPARE(transport.sent.size(), 2);

    message.m_AttachmentPaths.clear();
    message.m_AttachmentNames.clear();
    transport.sendResults = {MailFailure};
    QVERIFY(!session.Send(message));
    QCOMPARE(session.LastError(), quint32(MailFailure));
    QCOMPARE(session.LastErrorReason(), transport.reason);
    transport.sendResults = {};
    QVERIFY(session.Send(message));
    QCOMPARE(session.LastError(), quint32(0));
}

QTEST_GUILESS_MAIN(TestMailSession)
#include "tst_mailsession.moc"
