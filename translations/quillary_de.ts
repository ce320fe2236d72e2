<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ArchiveText</name>
    <message>
        <source>Cannot write the archive %1: %2.</source>
        <translation>Das Archiv %1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>Cannot read the configuration file %1.</source>
        <translation>Die Konfigurationsdatei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The voice file %1 cannot be sent: %2. Remove it or record that message again, then send once more.</source>
        <translation>Die Sprachdatei %1 kann nicht gesendet werden: %2. Entfernen Sie sie oder nehmen Sie diese Nachricht neu auf und senden Sie dann noch einmal.</translation>
    </message>
    <message>
        <source>Cannot create the archive in the folder %1: %2.</source>
        <translation>Im Ordner %1 kann das Archiv nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>the file ended early</source>
        <translation>die Datei endete vorzeitig</translation>
    </message>
    <message>
        <source>Cannot read %1: %2.</source>
        <translation>%1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The archive %1 would be larger than a zip archive can be (4 GiB).</source>
        <translation>Das Archiv %1 wäre größer, als ein ZIP-Archiv sein kann (4 GiB).</translation>
    </message>
    <message>
        <source>Cannot pack the archive %1: zip error %2.</source>
        <translation>Das Archiv %1 kann nicht gepackt werden: ZIP-Fehler %2.</translation>
    </message>
</context>
<context>
    <name>CEditInput</name>
    <message>
        <source>Modify input configuration</source>
        <translation>Eingangskonfiguration ändern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Phonenumbers:
Seperate each number with a &quot;,&quot; (comma)</source>
        <translation>Rufnummern:
Jede Nummer mit einem „,“ (Komma) trennen</translation>
    </message>
    <message>
        <source>High text:</source>
        <translation>Text bei Hoch:</translation>
    </message>
    <message>
        <source>Low text:</source>
        <translation>Text bei Tief:</translation>
    </message>
    <message>
        <source>Voice on High:</source>
        <translation>Sprache bei Hoch:</translation>
    </message>
    <message>
        <source>Voice on Low:</source>
        <translation>Sprache bei Tief:</translation>
    </message>
    <message>
        <source>The high text can hold at most %1 characters.</source>
        <translation>Der Text bei Hoch darf höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>The low text can hold at most %1 characters.</source>
        <translation>Der Text bei Tief darf höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>The phone numbers can hold at most %1 characters.</source>
        <translation>Die Rufnummern dürfen zusammen höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>Save the configuration to a file first: its voice messages are kept beside it.</source>
        <translation>Speichern Sie die Konfiguration zuerst in einer Datei: Ihre Sprachnachrichten liegen neben ihr.</translation>
    </message>
    <message>
        <source>Voicemessage for high on input %1</source>
        <translation>Sprachnachricht für Hoch an Eingang %1</translation>
    </message>
    <message>
        <source>Voicemessage for low on input %1</source>
        <translation>Sprachnachricht für Tief an Eingang %1</translation>
    </message>
</context>
<context>
    <name>CEditOutput</name>
    <message>
        <source>Modify output configuration</source>
        <translation>Ausgangskonfiguration ändern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Impuls</translation>
    </message>
    <message>
        <source>Output type:</source>
        <translation>Ausgangsart:</translation>
    </message>
    <message>
        <source>High text:</source>
        <translation>Text bei Hoch:</translation>
    </message>
    <message>
        <source>Low text:</source>
        <translation>Text bei Tief:</translation>
    </message>
</context>
<context>
    <name>CMyPropertyPage1</name>
    <message>
        <source>Command to clear allowed caller list:</source>
        <translation>Befehl zum Löschen der Liste erlaubter Anrufer:</translation>
    </message>
    <message>
        <source>List of allowed callers:
Seperate each number with a &quot;,&quot; (comma)</source>
        <translation>Liste erlaubter Anrufer:
Jede Nummer mit einem „,“ (Komma) trennen</translation>
    </message>
    <message>
        <source>Duration of pulse on pulsed outputs (in mSec):</source>
        <translation>Impulsdauer an Impulsausgängen (in ms):</translation>
    </message>
    <message>
        <source>The list of allowed callers can hold at most %1 characters.</source>
        <translation>Die Liste erlaubter Anrufer darf höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>The command to clear the allowed caller list can hold at most %1 characters.</source>
        <translation>Der Befehl zum Löschen der Liste erlaubter Anrufer darf höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>The duration of pulse must be a whole number of mSec.</source>
        <translation>Die Impulsdauer muss eine ganze Zahl von Millisekunden sein.</translation>
    </message>
    <message>
        <source>The duration of pulse must be from %1 to %2 mSec.</source>
        <translation>Die Impulsdauer muss zwischen %1 und %2 ms liegen.</translation>
    </message>
</context>
<context>
    <name>CMyPropertyPage2</name>
    <message>
        <source>Inputs</source>
        <translation>Eingänge</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Phonenumbers</source>
        <translation>Rufnummern</translation>
    </message>
    <message>
        <source>High text</source>
        <translation>Text bei Hoch</translation>
    </message>
    <message>
        <source>Low text</source>
        <translation>Text bei Tief</translation>
    </message>
    <message>
        <source>Voice</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>CMyPropertyPage3</name>
    <message>
        <source>Outputs</source>
        <translation>Ausgänge</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>High text</source>
        <translation>Text bei Hoch</translation>
    </message>
    <message>
        <source>Low text</source>
        <translation>Text bei Tief</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Impuls</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>CMyPropertySheet</name>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Validation and Parameters</source>
        <translation>Prüfung und Parameter</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Eingänge</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Ausgänge</translation>
    </message>
</context>
<context>
    <name>CQuillaryDlg</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Configure...</source>
        <translation>Konfigurieren...</translation>
    </message>
    <message>
        <source>Transfer from unit</source>
        <translation>Von Gerät übertragen</translation>
    </message>
    <message>
        <source>Transfer to unit</source>
        <translation>Zum Gerät übertragen</translation>
    </message>
    <message>
        <source>Send configuration...</source>
        <translation>Konfiguration senden...</translation>
    </message>
    <message>
        <source>Print configuration...</source>
        <translation>Konfiguration drucken...</translation>
    </message>
    <message>
        <source>Load configuration...</source>
        <translation>Konfiguration laden...</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einrichtung</translation>
    </message>
    <message>
        <source>Syncronize clock</source>
        <translation>Uhr synchronisieren</translation>
    </message>
    <message>
        <source>New configuration...</source>
        <translation>Neue Konfiguration...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>Verlauf...</translation>
    </message>
    <message>
        <source>&amp;Recent</source>
        <translation>&amp;Zuletzt verwendet</translation>
    </message>
    <message>
        <source>No recent configurations</source>
        <translation>Keine zuletzt verwendeten Konfigurationen</translation>
    </message>
    <message>
        <source>The team database is not used</source>
        <translation>Die Team-Datenbank wird nicht verwendet</translation>
    </message>
    <message>
        <source>1 record not yet shared</source>
        <translation>Noch nicht geteilte Einträge: 1</translation>
    </message>
    <message numerus="yes">
        <source>%n records not yet shared</source>
        <translation>
            <numerusform>Noch nicht geteilte Einträge: %n</numerusform>
            <numerusform>Noch nicht geteilte Einträge: %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CSetupDlg</name>
    <message>
        <source>Setup</source>
        <translation>Einrichtung</translation>
    </message>
    <message>
        <source>Communication setup</source>
        <translation>Verbindungseinstellungen</translation>
    </message>
    <message>
        <source>&amp;USB serial devices attached:</source>
        <translation>Angeschlossene serielle &amp;USB-Geräte:</translation>
    </message>
    <message>
        <source>USB serial devices attached</source>
        <translation>Angeschlossene serielle USB-Geräte</translation>
    </message>
    <message>
        <source>Vendor</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerätedatei</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Any</source>
        <translation>Beliebig</translation>
    </message>
    <message>
        <source>(the only one attached)</source>
        <translation>(das einzige angeschlossene)</translation>
    </message>
    <message>
        <source>No USB serial device is attached.</source>
        <translation>Es ist kein serielles USB-Gerät angeschlossen.</translation>
    </message>
    <message>
        <source>The chosen device (%1) is not attached.</source>
        <translation>Das gewählte Gerät (%1) ist nicht angeschlossen.</translation>
    </message>
</context>
<context>
    <name>CVoiceNewDlg</name>
    <message>
        <source>Voicemessage</source>
        <translation>Sprachnachricht</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Total usage of voice memory</source>
        <translation>Gesamtbelegung des Sprachspeichers</translation>
    </message>
    <message>
        <source>This message usage of total voice memory</source>
        <translation>Anteil dieser Nachricht am gesamten Sprachspeicher</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Low quality</source>
        <translation>Niedrige Qualität</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>Make this message from a sound file</source>
        <translation>Diese Nachricht aus einer Tondatei erstellen</translation>
    </message>
    <message>
        <source>&amp;Speak</source>
        <translation>&amp;Sprechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>This message has no text to speak</source>
        <translation>Diese Nachricht hat keinen Text zum Sprechen</translation>
    </message>
    <message>
        <source>Speak &quot;%1&quot;</source>
        <translation>„%1“ sprechen</translation>
    </message>
</context>
<context>
    <name>CWaveformView</name>
    <message>
        <source>Recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>No recording</source>
        <translation>Keine Aufnahme</translation>
    </message>
</context>
<context>
    <name>CheckCommandText</name>
    <message>
        <source>--region takes a two-letter country code such as CZ, not &quot;%1&quot;</source>
        <translation>--region erwartet einen zweibuchstabigen Ländercode wie CZ, nicht „%1“</translation>
    </message>
    <message>
        <source>%1 was not written: the check found errors (see above)</source>
        <translation>%1 wurde nicht geschrieben: die Prüfung hat Fehler gefunden (siehe oben)</translation>
    </message>
</context>
<context>
    <name>CheckText</name>
    <message>
        <source>output prompt</source>
        <translation>Ansage zur Ausgangswahl</translation>
    </message>
    <message>
        <source>on/off prompt</source>
        <translation>Ansage Ein/Aus</translation>
    </message>
    <message>
        <source>%1: switched on, but there is no recording %2 in %3</source>
        <translation>%1: eingeschaltet, aber in %3 gibt es keine Aufnahme %2</translation>
    </message>
    <message>
        <source>%1: %2 cannot go to the unit: %3</source>
        <translation>%1: %2 kann nicht zum Gerät: %3</translation>
    </message>
    <message>
        <source>voice messages: %L1 bytes to send, more than the unit&apos;s %L2</source>
        <translation>Sprachnachrichten: %L1 Bytes zu senden, mehr als die %L2 des Geräts</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not in the GSM alphabet, so the text goes as UCS-2 (70 characters an SMS instead of 160)</source>
        <translation>%1: „%2“ ist nicht im GSM-Alphabet, daher geht der Text als UCS-2 (70 Zeichen je SMS statt 160)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 %3 characters need %n SMS</source>
        <translation>
            <numerusform>%1: %2 %3-Zeichen brauchen %n SMS</numerusform>
            <numerusform>%1: %2 %3-Zeichen brauchen %n SMS</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 holds characters the unit does not dial; write only digits, with + in front</source>
        <translation>%1 enthält Zeichen, die das Gerät nicht wählt; nur Ziffern schreiben, vorn ein +</translation>
    </message>
    <message>
        <source>%1 is not in international form (no country is known to check it against: write it with + and the country code)</source>
        <translation>%1 ist nicht in internationaler Form (kein Land bekannt, gegen das sie geprüft werden kann: mit + und Ländervorwahl schreiben)</translation>
    </message>
    <message>
        <source>%1 is not a valid phone number</source>
        <translation>%1 ist keine gültige Rufnummer</translation>
    </message>
    <message>
        <source>%1 is not a valid phone number (region %2)</source>
        <translation>%1 ist keine gültige Rufnummer (Region %2)</translation>
    </message>
    <message>
        <source>%1 is not in international form (%2)</source>
        <translation>%1 ist nicht in internationaler Form (%2)</translation>
    </message>
    <message>
        <source>%1 is in the list twice (%2)</source>
        <translation>%1 steht zweimal in der Liste (%2)</translation>
    </message>
    <message>
        <source>The check found errors in this configuration:

%1

Write it into the unit anyway?</source>
        <translation>Die Prüfung hat Fehler in dieser Konfiguration gefunden:

%1

Trotzdem in das Gerät schreiben?</translation>
    </message>
</context>
<context>
    <name>ConfigCommandText</name>
    <message>
        <source>Configuration files (*.QRB)</source>
        <translation>Konfigurationsdateien (*.QRB)</translation>
    </message>
    <message>
        <source>The configuration has not been saved. Close without saving it?</source>
        <translation>Die Konfiguration wurde nicht gespeichert. Ohne Speichern schließen?</translation>
    </message>
</context>
<context>
    <name>ConfigFieldText</name>
    <message>
        <source>input %1 phone numbers</source>
        <translation>Eingang %1, Rufnummern</translation>
    </message>
    <message>
        <source>input %1 high text</source>
        <translation>Eingang %1, Text bei Hoch</translation>
    </message>
    <message>
        <source>input %1 low text</source>
        <translation>Eingang %1, Text bei Tief</translation>
    </message>
    <message>
        <source>input %1 high voice message</source>
        <translation>Eingang %1, Sprachnachricht bei Hoch</translation>
    </message>
    <message>
        <source>input %1 low voice message</source>
        <translation>Eingang %1, Sprachnachricht bei Tief</translation>
    </message>
    <message>
        <source>output %1 type</source>
        <translation>Ausgang %1, Typ</translation>
    </message>
    <message>
        <source>output %1 high text</source>
        <translation>Ausgang %1, Text bei Hoch</translation>
    </message>
    <message>
        <source>output %1 low text</source>
        <translation>Ausgang %1, Text bei Tief</translation>
    </message>
    <message>
        <source>allowed callers</source>
        <translation>erlaubte Anrufer</translation>
    </message>
    <message>
        <source>clear command</source>
        <translation>Löschbefehl</translation>
    </message>
    <message>
        <source>pulse duration</source>
        <translation>Pulsdauer</translation>
    </message>
</context>
<context>
    <name>ConfigFileText</name>
    <message>
        <source>The configuration file could not be saved:</source>
        <translation>Die Konfigurationsdatei konnte nicht gespeichert werden:</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Sie ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>The configuration file could neither be opened nor created:</source>
        <translation>Die Konfigurationsdatei konnte weder geöffnet noch angelegt werden:</translation>
    </message>
    <message>
        <source>The configuration file could not be created:</source>
        <translation>Die Konfigurationsdatei konnte nicht angelegt werden:</translation>
    </message>
    <message>
        <source>The configuration file could not be opened:</source>
        <translation>Die Konfigurationsdatei konnte nicht geöffnet werden:</translation>
    </message>
    <message>
        <source>The configuration file could not be read:</source>
        <translation>Die Konfigurationsdatei konnte nicht gelesen werden:</translation>
    </message>
</context>
<context>
    <name>ConfigJsonText</name>
    <message>
        <source>unknown field</source>
        <translation>unbekanntes Feld</translation>
    </message>
    <message>
        <source>must be a text</source>
        <translation>muss ein Text sein</translation>
    </message>
    <message>
        <source>must not hold a zero character, which ends a register text</source>
        <translation>darf kein Nullzeichen enthalten, das einen Registertext beendet</translation>
    </message>
    <message>
        <source>holds characters outside code page 1252</source>
        <translation>enthält Zeichen außerhalb der Codepage 1252</translation>
    </message>
    <message>
        <source>at most %1 characters, not %2</source>
        <translation>höchstens %1 Zeichen, nicht %2</translation>
    </message>
    <message>
        <source>the editor takes at most %1 characters, not %2</source>
        <translation>der Editor nimmt höchstens %1 Zeichen, nicht %2</translation>
    </message>
    <message>
        <source>must be true or false</source>
        <translation>muss true oder false sein</translation>
    </message>
    <message>
        <source>must be a whole number</source>
        <translation>muss eine ganze Zahl sein</translation>
    </message>
    <message>
        <source>must lie from %1 to %2</source>
        <translation>muss zwischen %1 und %2 liegen</translation>
    </message>
    <message>
        <source>must be %1, the entry&apos;s place in the list</source>
        <translation>muss %1 sein, die Stelle des Eintrags in der Liste</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>muss ein Objekt sein</translation>
    </message>
    <message>
        <source>the editor takes %1 to %2, not %3</source>
        <translation>der Editor nimmt %1 bis %2, nicht %3</translation>
    </message>
    <message>
        <source>must be &quot;%1&quot; or &quot;%2&quot;</source>
        <translation>muss „%1“ oder „%2“ sein</translation>
    </message>
    <message>
        <source>must be a register number, 1 to 87</source>
        <translation>muss eine Registernummer sein, 1 bis 87</translation>
    </message>
    <message>
        <source>must be a text of at most 255 characters of code page 1252 without a zero</source>
        <translation>muss ein Text von höchstens 255 Zeichen der Codepage 1252 ohne Nullzeichen sein</translation>
    </message>
    <message>
        <source>must be a text of at most 255 characters of code page 1252</source>
        <translation>muss ein Text von höchstens 255 Zeichen der Codepage 1252 sein</translation>
    </message>
    <message>
        <source>text and tail together exceed the register&apos;s 256 bytes</source>
        <translation>Text und Rest zusammen überschreiten die 256 Bytes des Registers</translation>
    </message>
    <message>
        <source>not JSON: %1 at byte %2</source>
        <translation>kein JSON: %1 bei Byte %2</translation>
    </message>
    <message>
        <source>the configuration must be a JSON object</source>
        <translation>die Konfiguration muss ein JSON-Objekt sein</translation>
    </message>
    <message>
        <source>register </source>
        <translation>Register </translation>
    </message>
    <message>
        <source>registers </source>
        <translation>Register </translation>
    </message>
    <message>
        <source>: bytes that no field shows differ</source>
        <translation>: Bytes, die kein Feld zeigt, unterscheiden sich</translation>
    </message>
    <message>
        <source>: spelled differently, read alike (such as &quot;0250&quot; and &quot;250&quot;, or a final &quot;.&quot;)</source>
        <translation>: anders geschrieben, gleich gelesen (etwa „0250“ und „250“ oder ein abschließender „.“)</translation>
    </message>
    <message>
        <source>%1[%2] (input %3)</source>
        <translation>%1[%2] (Eingang %3)</translation>
    </message>
    <message>
        <source>%1[%2] (output %3)</source>
        <translation>%1[%2] (Ausgang %3)</translation>
    </message>
    <message numerus="yes">
        <source>must be a list of %n inputs</source>
        <translation>
            <numerusform>muss eine Liste mit %n Eingang sein</numerusform>
            <numerusform>muss eine Liste mit %n Eingängen sein</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>must be a list of %n outputs</source>
        <translation>
            <numerusform>muss eine Liste mit %n Ausgang sein</numerusform>
            <numerusform>muss eine Liste mit %n Ausgängen sein</numerusform>
        </translation>
    </message>
    <message>
        <source>%1.phoneNumbers: a final &quot;.&quot; is removed when storing, as the editor does</source>
        <translation>%1.phoneNumbers: ein abschließender „.“ wird beim Speichern entfernt, wie im Editor</translation>
    </message>
</context>
<context>
    <name>ConfigSessionText</name>
    <message>
        <source>There is no configuration file to save into.</source>
        <translation>Es gibt keine Konfigurationsdatei, in die gespeichert werden kann.</translation>
    </message>
</context>
<context>
    <name>DialogText</name>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>About Quillary</source>
        <translation>Über Quillary</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quillary&lt;/b&gt; %1&lt;br&gt;Configuration tool for the VELK-Ardo and VELK-Tisk GSM remote-control units.</source>
        <translation>&lt;b&gt;Quillary&lt;/b&gt; %1&lt;br&gt;Konfigurationsprogramm für die GSM-Fernsteuergeräte VELK-Ardo und VELK-Tisk.</translation>
    </message>
</context>
<context>
    <name>EditorText</name>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... und %n weitere</numerusform>
            <numerusform>... und %n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileCommandText</name>
    <message>
        <source>%1: no such file</source>
        <translation>%1: keine solche Datei</translation>
    </message>
    <message>
        <source>%1: not a configuration file</source>
        <translation>%1: keine Konfigurationsdatei</translation>
    </message>
    <message>
        <source>%1 exists already; --force replaces it</source>
        <translation>%1 existiert bereits; --force ersetzt die Datei</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <translation>kann nicht auf die Standardausgabe schreiben: %1</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>&amp;Unit:</source>
        <translation>&amp;Gerät:</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>&amp;Open as configuration...</source>
        <translation>Als Konfiguration ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Compare with current configuration</source>
        <translation>Mit aktueller Konfiguration &amp;vergleichen</translation>
    </message>
    <message>
        <source>&amp;Restore to unit</source>
        <translation>In das Gerät &amp;zurückschreiben</translation>
    </message>
    <message>
        <source>All units</source>
        <translation>Alle Geräte</translation>
    </message>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>The journal keeps no registers for this record.</source>
        <translation>Das Journal hat zu diesem Eintrag keine Register gespeichert.</translation>
    </message>
    <message>
        <source>The record&apos;s configuration equals the current configuration.</source>
        <translation>Die Konfiguration des Eintrags gleicht der aktuellen Konfiguration.</translation>
    </message>
    <message>
        <source>These fields differ from the current configuration:
%1</source>
        <translation>Diese Felder weichen von der aktuellen Konfiguration ab:
%1</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>%1 (not yet shared)</source>
        <translation>%1 (noch nicht geteilt)</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 auf %2</translation>
    </message>
</context>
<context>
    <name>HistoryText</name>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>the journal %1 holds no record %2</source>
        <translation>das Journal %1 hat keinen Eintrag %2</translation>
    </message>
    <message>
        <source>Did not take: %1</source>
        <translation>Nicht übernommen: %1</translation>
    </message>
    <message>
        <source>Written by %1 on %2 with Quillary %3</source>
        <translation>Geschrieben von %1 auf %2 mit Quillary %3</translation>
    </message>
    <message>
        <source>What was written equals the backup.</source>
        <translation>Das Geschriebene gleicht der Sicherung.</translation>
    </message>
    <message>
        <source>Changed against the backup: %1</source>
        <translation>Gegenüber der Sicherung geändert: %1</translation>
    </message>
    <message>
        <source>the record %1 keeps no image of what was written</source>
        <translation>der Eintrag %1 hat das Geschriebene nicht gespeichert</translation>
    </message>
    <message>
        <source>the record %1 keeps no backup; --written exports what was written</source>
        <translation>der Eintrag %1 hat keine Sicherung; --written exportiert das Geschriebene</translation>
    </message>
    <message>
        <source>the record %1 keeps no backup to restore</source>
        <translation>der Eintrag %1 hat keine Sicherung zum Zurückschreiben</translation>
    </message>
    <message>
        <source>the journal knows of no write into the unit on %1</source>
        <translation>das Journal kennt keinen Schreibvorgang in das Gerät an %1</translation>
    </message>
    <message>
        <source>The unit holds what was written into it on %1 (%2).</source>
        <translation>Das Gerät enthält, was am %1 hineingeschrieben wurde (%2).</translation>
    </message>
    <message>
        <source>The unit differs from what was written into it on %1 (%2):</source>
        <translation>Das Gerät weicht von dem ab, was am %1 hineingeschrieben wurde (%2):</translation>
    </message>
    <message>
        <source>registers %1</source>
        <translation>Register %1</translation>
    </message>
    <message>
        <source>(not yet shared)</source>
        <translation>(noch nicht geteilt)</translation>
    </message>
    <message>
        <source>no team database is set: give --journal URL or set History/Database in ~/.config/quillary.ini</source>
        <translation>keine Team-Datenbank eingestellt: --journal URL angeben oder History/Database in ~/.config/quillary.ini setzen</translation>
    </message>
    <message>
        <source>1 record not yet shared; it goes out at the next chance (quillary-cli history sync).</source>
        <translation>Noch nicht geteilte Einträge: 1; er geht bei nächster Gelegenheit hinaus (quillary-cli history sync).</translation>
    </message>
    <message numerus="yes">
        <source>%n records not yet shared; they go out at the next chance (quillary-cli history sync).</source>
        <translation>
            <numerusform>Noch nicht geteilte Einträge: %n; sie gehen bei nächster Gelegenheit hinaus (quillary-cli history sync).</numerusform>
            <numerusform>Noch nicht geteilte Einträge: %n; sie gehen bei nächster Gelegenheit hinaus (quillary-cli history sync).</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent 1 record, received %1.</source>
        <translation>Gesendete Einträge: 1, empfangene: %1.</translation>
    </message>
    <message numerus="yes">
        <source>Sent %n records, received %1.</source>
        <translation>
            <numerusform>Gesendete Einträge: %n, empfangene: %1.</numerusform>
            <numerusform>Gesendete Einträge: %n, empfangene: %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 record not yet shared.</source>
        <translation>Noch nicht geteilte Einträge: 1.</translation>
    </message>
    <message numerus="yes">
        <source>%n records not yet shared.</source>
        <translation>
            <numerusform>Noch nicht geteilte Einträge: %n.</numerusform>
            <numerusform>Noch nicht geteilte Einträge: %n.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JournalText</name>
    <message>
        <source>The journal %1 cannot be opened: %2</source>
        <translation>Das Journal %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The journal %1 cannot be written: %2</source>
        <translation>In das Journal %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The journal %1 cannot be created: %2</source>
        <translation>Das Journal %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The journal %1 is a symbolic link; Quillary never writes through a link. Remove the link or put the file itself in its place.</source>
        <translation>Das Journal %1 ist ein symbolischer Link; Quillary schreibt nie durch einen Link. Entfernen Sie den Link oder legen Sie die Datei selbst an seine Stelle.</translation>
    </message>
    <message>
        <source>The journal %1 is not a regular file (a folder, FIFO or device is in its place). Move it aside and Quillary starts a new journal.</source>
        <translation>Das Journal %1 ist keine gewöhnliche Datei (an seiner Stelle steht ein Ordner, ein FIFO oder ein Gerät). Verschieben Sie es, und Quillary legt ein neues Journal an.</translation>
    </message>
    <message>
        <source>The journal %1 cannot be read: file is not a database (it may be damaged). It was left as it is: move it aside and Quillary starts a new journal.</source>
        <translation>Das Journal %1 kann nicht gelesen werden: Die Datei ist keine Datenbank (sie ist vielleicht beschädigt). Sie blieb unverändert: Verschieben Sie sie, und Quillary legt ein neues Journal an.</translation>
    </message>
    <message>
        <source>The journal %1 cannot be opened: %2 is not a regular file. Remove it; Quillary never writes through a link.</source>
        <translation>Das Journal %1 kann nicht geöffnet werden: %2 ist keine gewöhnliche Datei. Entfernen Sie sie; Quillary schreibt nie durch einen Link.</translation>
    </message>
    <message>
        <source>its folder %1 cannot be written (%2)</source>
        <translation>in seinen Ordner %1 kann nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>The journal %1 is a database, but not Quillary&apos;s journal. It was left as it is.</source>
        <translation>Das Journal %1 ist eine Datenbank, aber nicht das Journal von Quillary. Es blieb unverändert.</translation>
    </message>
    <message>
        <source>The journal %1 was made by a newer version of Quillary (journal version %2; this version knows up to %3). It was left as it is.</source>
        <translation>Das Journal %1 wurde von einer neueren Version von Quillary angelegt (Journalversion %2; diese Version kennt höchstens %3). Es blieb unverändert.</translation>
    </message>
    <message>
        <source>The folder %1 for the journal cannot be created: %2</source>
        <translation>Der Ordner %1 für das Journal kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver is missing (install the package libqt6sql6-sqlite).</source>
        <translation>Der SQLite-Treiber von Qt fehlt (installieren Sie das Paket libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>the record has no id</source>
        <translation>der Eintrag hat keine Kennung</translation>
    </message>
</context>
<context>
    <name>JsonCommandText</name>
    <message>
        <source>%1: not a regular file</source>
        <translation>%1: keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>kann %1 nicht lesen: %2</translation>
    </message>
    <message>
        <source>%1: larger than 1 MiB, not a configuration</source>
        <translation>%1: größer als 1 MiB, keine Konfiguration</translation>
    </message>
    <message>
        <source>quillary-cli: warning: %1: %2</source>
        <translation>quillary-cli: Warnung: %1: %2</translation>
    </message>
</context>
<context>
    <name>LinkApiText</name>
    <message>
        <source>No serial device was found for the port %1: is the unit plugged in?</source>
        <translation>Für den Port %1 wurde kein serielles Gerät gefunden: Ist das Gerät eingesteckt?</translation>
    </message>
    <message>
        <source>The device %1 does not exist: is the unit plugged in?</source>
        <translation>Die Gerätedatei %1 existiert nicht: Ist das Gerät eingesteckt?</translation>
    </message>
    <message>
        <source>You may not open %1: ask the administrator for access to it.</source>
        <translation>Sie dürfen %1 nicht öffnen: Bitten Sie den Administrator um Zugriff darauf.</translation>
    </message>
    <message>
        <source>You may not open %1: add your user to the group %2 and log in again.</source>
        <translation>Sie dürfen %1 nicht öffnen: Fügen Sie Ihren Benutzer der Gruppe %2 hinzu und melden Sie sich erneut an.</translation>
    </message>
    <message>
        <source>The port %1 is in use by another program.</source>
        <translation>Der Port %1 wird von einem anderen Programm benutzt.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <translation>%1 ist kein serieller Port.</translation>
    </message>
    <message>
        <source>COM%1 (%2) has no serial port on this computer</source>
        <translation>COM%1 (%2) hat auf diesem Computer keinen seriellen Port</translation>
    </message>
    <message>
        <source>%1 has no serial port behind it.</source>
        <translation>Hinter %1 steckt kein serieller Port.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>%1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>ModemManager probes USB serial devices for modems and so keeps the unit&apos;s port. To keep it away from the unit, write this line into /etc/udev/rules.d/99-velk-unit.rules, with VVVV and PPPP the ID_VENDOR_ID and ID_MODEL_ID that &quot;udevadm info %1&quot; shows:</source>
        <translation>ModemManager sucht auf seriellen USB-Geräten nach Modems und belegt so den Port des Geräts. Damit er das Gerät in Ruhe lässt, schreiben Sie diese Zeile in /etc/udev/rules.d/99-velk-unit.rules, mit VVVV und PPPP als den Werten von ID_VENDOR_ID und ID_MODEL_ID, die „udevadm info %1“ zeigt:</translation>
    </message>
    <message>
        <source>Then run &quot;sudo udevadm control --reload&quot; and plug the unit in again.</source>
        <translation>Führen Sie dann „sudo udevadm control --reload“ aus und stecken Sie das Gerät neu ein.</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>Prozess %1</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (Prozess %2)</translation>
    </message>
    <message>
        <source>The port %1 is in use by %2.</source>
        <translation>Der Port %1 wird von %2 benutzt.</translation>
    </message>
</context>
<context>
    <name>ListPage</name>
    <message>
        <source>Are you sure you want to delete the selected item ?</source>
        <translation>Möchten Sie den ausgewählten Eintrag wirklich löschen?</translation>
    </message>
</context>
<context>
    <name>MailSettingsDlgText</name>
    <message>
        <source>Mail settings</source>
        <translation>E-Mail-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Server URL:</source>
        <translation>&amp;Server-URL:</translation>
    </message>
    <message>
        <source>S&amp;ender address:</source>
        <translation>&amp;Absenderadresse:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>The sender address &quot;%1&quot; is not an e-mail address.</source>
        <translation>Die Absenderadresse „%1“ ist keine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>The password is read from ~/.netrc (a line &quot;machine HOST login USER password SECRET&quot;); Quillary does not store it. On smtp:// the connection must switch to TLS unless the server is this computer.</source>
        <translation>Das Passwort wird aus ~/.netrc gelesen (eine Zeile „machine HOST login USER password SECRET“); Quillary speichert es nicht. Bei smtp:// muss die Verbindung auf TLS umschalten, außer der Server ist dieser Computer.</translation>
    </message>
    <message>
        <source>The server URL must begin with smtp:// or smtps://, for example smtps://mail.example.com:465.</source>
        <translation>Die Server-URL muss mit smtp:// oder smtps:// beginnen, zum Beispiel smtps://mail.example.com:465.</translation>
    </message>
</context>
<context>
    <name>MainText</name>
    <message>
        <source>quillary-cli ports lists the serial devices; --port picks one.</source>
        <translation>quillary-cli ports listet die seriellen Geräte auf; --port wählt eines aus.</translation>
    </message>
    <message>
        <source>--port takes USB, COM1 to COM4 or a device path, not &quot;%1&quot;</source>
        <translation>--port erwartet USB, COM1 bis COM4 oder den Pfad einer Gerätedatei, nicht „%1“</translation>
    </message>
    <message>
        <source>Quillary on the command line: shows, converts and compares configuration
files (*.QRB) and writes them into a VELK unit, reads a unit back and sets
its clock; makes voice messages from sound files or text.</source>
        <translation>Quillary auf der Kommandozeile: zeigt, wandelt und vergleicht
Konfigurationsdateien (*.QRB) und schreibt sie in ein VELK-Gerät, liest ein
Gerät zurück und stellt seine Uhr; macht Sprachnachrichten aus Tondateien
oder Text.</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>Aufruf</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>OPTIONEN</translation>
    </message>
    <message>
        <source>SUBCOMMAND</source>
        <translation>BEFEHL</translation>
    </message>
    <message>
        <source>SUBCOMMANDS</source>
        <translation>BEFEHLE</translation>
    </message>
    <message>
        <source>Positionals</source>
        <translation>Argumente</translation>
    </message>
    <message>
        <source>REQUIRED</source>
        <translation>PFLICHT</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>INT:POSITIVE</source>
        <translation>ZAHL:POSITIV</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Subcommands</source>
        <translation>Befehle</translation>
    </message>
    <message>
        <source>Print this help message and exit</source>
        <translation>Diese Hilfe zeigen und beenden</translation>
    </message>
    <message>
        <source>Display program version information and exit</source>
        <translation>Die Version des Programms zeigen und beenden</translation>
    </message>
    <message>
        <source>USB, COM1 to COM4, or a serial device path</source>
        <translation>USB, COM1 bis COM4 oder der Pfad eines seriellen Geräts</translation>
    </message>
    <message>
        <source>Print a configuration&apos;s listing, or with --json all of it as JSON</source>
        <translation>Die Auflistung einer Konfiguration ausgeben, mit --json alles als JSON</translation>
    </message>
    <message>
        <source>configuration file (*.QRB)</source>
        <translation>Konfigurationsdatei (*.QRB)</translation>
    </message>
    <message>
        <source>JSON with named fields instead of the listing</source>
        <translation>JSON mit benannten Feldern statt der Auflistung</translation>
    </message>
    <message>
        <source>Make a configuration file from JSON as show --json prints it</source>
        <translation>Eine Konfigurationsdatei aus JSON machen, wie show --json es ausgibt</translation>
    </message>
    <message>
        <source>the configuration as JSON</source>
        <translation>die Konfiguration als JSON</translation>
    </message>
    <message>
        <source>configuration file to write (*.QRB)</source>
        <translation>zu schreibende Konfigurationsdatei (*.QRB)</translation>
    </message>
    <message>
        <source>replace OUT when it exists</source>
        <translation>OUT ersetzen, wenn es existiert</translation>
    </message>
    <message>
        <source>refuse values the configuration editor would refuse</source>
        <translation>Werte abweisen, die der Konfigurationseditor abweisen würde</translation>
    </message>
    <message>
        <source>List the differences of two configuration files by field name</source>
        <translation>Die Unterschiede zweier Konfigurationsdateien nach Feldnamen auflisten</translation>
    </message>
    <message>
        <source>Find phone numbers, SMS texts and voice messages the unit would use wrongly</source>
        <translation>Telefonnummern, SMS-Texte und Sprachnachrichten finden, die das Gerät falsch verwenden würde</translation>
    </message>
    <message>
        <source>country of national numbers (CZ); else the desktop&apos;s</source>
        <translation>Land nationaler Nummern (CZ); sonst das des Desktops</translation>
    </message>
    <message>
        <source>findings and SMS counts as JSON</source>
        <translation>Befunde und SMS-Zählungen als JSON</translation>
    </message>
    <message>
        <source>Write a configuration file (and its voice messages) into the unit</source>
        <translation>Eine Konfigurationsdatei (und ihre Sprachnachrichten) in das Gerät schreiben</translation>
    </message>
    <message>
        <source>also send the voice messages the configuration switches on</source>
        <translation>auch die Sprachnachrichten senden, die die Konfiguration einschaltet</translation>
    </message>
    <message>
        <source>read the 87 registers back and name every one that differs</source>
        <translation>die 87 Register zurücklesen und jedes abweichende nennen</translation>
    </message>
    <message>
        <source>run check first; write nothing on an error</source>
        <translation>zuerst check ausführen; bei einem Fehler nichts schreiben</translation>
    </message>
    <message>
        <source>the region for --check</source>
        <translation>die Region für --check</translation>
    </message>
    <message>
        <source>first keep the unit&apos;s registers as DIR/&lt;serial&gt;-&lt;time&gt;.QRB</source>
        <translation>zuerst die Register des Geräts als DIR/&lt;serial&gt;-&lt;time&gt;.QRB sichern</translation>
    </message>
    <message>
        <source>Read the unit into a configuration file</source>
        <translation>Das Gerät in eine Konfigurationsdatei lesen</translation>
    </message>
    <message>
        <source>Set the unit&apos;s clock to this computer&apos;s local time</source>
        <translation>Die Uhr des Geräts auf die Ortszeit dieses Computers stellen</translation>
    </message>
    <message>
        <source>List the serial devices attached and the --port value of each</source>
        <translation>Die angeschlossenen seriellen Geräte und den --port-Wert jedes einzelnen auflisten</translation>
    </message>
    <message>
        <source>the list as JSON</source>
        <translation>die Liste als JSON</translation>
    </message>
    <message>
        <source>Write a configuration into one unit after another as they are plugged in</source>
        <translation>Eine Konfiguration in ein Gerät nach dem anderen schreiben, wie sie angesteckt werden</translation>
    </message>
    <message>
        <source>also send the voice messages</source>
        <translation>auch die Sprachnachrichten senden</translation>
    </message>
    <message>
        <source>append one JSON line per unit to FILE</source>
        <translation>je Gerät eine JSON-Zeile an FILE anhängen</translation>
    </message>
    <message>
        <source>stop after N units (default: Ctrl-C)</source>
        <translation>nach N Geräten aufhören (sonst: Strg-C)</translation>
    </message>
    <message>
        <source>first keep each unit&apos;s registers as DIR/&lt;serial&gt;-&lt;time&gt;.QRB</source>
        <translation>zuerst die Register jedes Geräts als DIR/&lt;serial&gt;-&lt;time&gt;.QRB sichern</translation>
    </message>
    <message>
        <source>Make voice messages from sound files or text, and list them</source>
        <translation>Sprachnachrichten aus Tondateien oder Text machen und sie auflisten</translation>
    </message>
    <message>
        <source>H01..H16, L01..L16, SelectOutput or SelectOnOff (any case)</source>
        <translation>H01..H16, L01..L16, SelectOutput oder SelectOnOff (Groß/klein beliebig)</translation>
    </message>
    <message>
        <source>Make MESSAGE&apos;s recording from a WAV, FLAC, Ogg Vorbis, Opus or MP3 file</source>
        <translation>Die Aufnahme von MESSAGE aus einer WAV-, FLAC-, Ogg-Vorbis-, Opus- oder MP3-Datei machen</translation>
    </message>
    <message>
        <source>the sound file</source>
        <translation>die Tondatei</translation>
    </message>
    <message>
        <source>4000 samples a second instead of 8000</source>
        <translation>4000 Abtastwerte je Sekunde statt 8000</translation>
    </message>
    <message>
        <source>Make MESSAGE&apos;s recording by speaking the input&apos;s high or low text</source>
        <translation>Die Aufnahme von MESSAGE durch Sprechen des Hoch- oder Tief-Textes des Eingangs machen</translation>
    </message>
    <message>
        <source>the text to speak instead (needed for the prompts)</source>
        <translation>stattdessen zu sprechender Text (nötig für die Ansagen)</translation>
    </message>
    <message>
        <source>espeak-ng voice such as en, de, cs; else VoiceRecorder/Language, else the desktop&apos;s language</source>
        <translation>espeak-ng-Stimme wie en, de, cs; sonst VoiceRecorder/Language, sonst die Sprache des Desktops</translation>
    </message>
    <message>
        <source>List the 34 messages and what Transfer to unit would send</source>
        <translation>Die 34 Nachrichten auflisten und was „Zum Gerät übertragen“ senden würde</translation>
    </message>
    <message>
        <source>as JSON</source>
        <translation>als JSON</translation>
    </message>
    <message>
        <source>A subcommand is required</source>
        <translation>Ein Befehl ist nötig</translation>
    </message>
    <message>
        <source>%1 is required</source>
        <translation>%1 ist nötig</translation>
    </message>
    <message>
        <source>The following arguments were not expected: %1</source>
        <translation>Diese Argumente waren nicht erwartet: %1</translation>
    </message>
    <message>
        <source>The following argument was not expected: %1</source>
        <translation>Dieses Argument war nicht erwartet: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n required %2 missing</source>
        <translation>
            <numerusform>%1: %n %2 nötig, fehlt</numerusform>
            <numerusform>%1: %n %2 nötig, fehlen</numerusform>
        </translation>
    </message>
    <message>
        <source>Run with %1 for more information.</source>
        <translation>Mehr dazu mit %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number of 1 or more</source>
        <translation>„%1“ ist keine ganze Zahl ab 1</translation>
    </message>
    <message>
        <source>The exit status, the port, JSON and voice messages: quillary-cli --help</source>
        <translation>Exit-Status, Port, JSON und Sprachnachrichten: quillary-cli --help</translation>
    </message>
    <message>
        <source>neither read the unit first as a backup nor read it back after</source>
        <translation>das Gerät weder vorher als Sicherung noch danach zur Kontrolle lesen</translation>
    </message>
    <message>
        <source>write even when the journal cannot be written</source>
        <translation>auch schreiben, wenn das Journal nicht geschrieben werden kann</translation>
    </message>
    <message>
        <source>read even when the journal cannot be written</source>
        <translation>auch lesen, wenn das Journal nicht geschrieben werden kann</translation>
    </message>
    <message>
        <source>List the journal&apos;s records of writes, restores and reads, newest first</source>
        <translation>Die Journaleinträge über Schreib-, Rückschreib- und Lesevorgänge auflisten, die neuesten zuerst</translation>
    </message>
    <message>
        <source>only this unit: serial number or device</source>
        <translation>nur dieses Gerät: Seriennummer oder Gerätedatei</translation>
    </message>
    <message>
        <source>at most N records</source>
        <translation>höchstens N Einträge</translation>
    </message>
    <message>
        <source>Show one record and the fields it changed against its backup</source>
        <translation>Einen Eintrag zeigen und die Felder, die er gegenüber seiner Sicherung geändert hat</translation>
    </message>
    <message>
        <source>the record&apos;s id</source>
        <translation>die Kennung des Eintrags</translation>
    </message>
    <message>
        <source>Save a record&apos;s backup (or what it wrote) as a configuration file</source>
        <translation>Die Sicherung eines Eintrags (oder das Geschriebene) als Konfigurationsdatei speichern</translation>
    </message>
    <message>
        <source>what was written instead of the backup</source>
        <translation>das Geschriebene statt der Sicherung</translation>
    </message>
    <message>
        <source>replace FILE when it exists</source>
        <translation>FILE ersetzen, wenn sie existiert</translation>
    </message>
    <message>
        <source>Write a record&apos;s backup back into the unit attached</source>
        <translation>Die Sicherung eines Eintrags in das angeschlossene Gerät zurückschreiben</translation>
    </message>
    <message>
        <source>Compare the unit with what the journal says was last written into it</source>
        <translation>Das Gerät mit dem vergleichen, was laut Journal zuletzt hineingeschrieben wurde</translation>
    </message>
    <message>
        <source>Exit status: 0 success, 1 the unit or the link failed (diff: the files
differ; check: findings; write --check: an error found, nothing written;
provision: a unit failed), 2 wrong usage (voice speak: also nothing to
speak, or no espeak-ng voice for the language), 3 a file cannot be read or
written (voice import and speak: also not sound, silent, or longer than
the unit&apos;s voice memory).

The port is --port, else the setting Options/COMPORT of the program&apos;s
profile (~/.config/quillary.ini: 0 for USB, n for COMn). The environment
variable QUILLARY_LINK_DEVICE, when set, names the serial device to use
whatever the profile says; --port given on the command line wins over it.
USB means the device chosen in Setup (Options/Device), else the only USB
serial device attached; ports lists them with the --port value of each.

--journal URL, else the setting History/Database, names the team&apos;s
journal on a PostgreSQL server (postgresql://USER@HOST[:PORT]/DATABASE;
the password in ~/.pgpass). Every record is kept on this computer first
and sent when its command ends; the team&apos;s records are fetched before
history, restore and audit. An unreachable server is a notice, not a
failure: the records wait for the next chance (history sync).

show --json writes texts as the code-page-1252 characters of the register
bytes, and what no field shows (register 86, bytes after a text&apos;s end, a
spelling such as &quot;0250&quot;) under &quot;extra&quot;, so import gives back any file
byte for byte. import refuses by name what a register cannot hold (a text
over 255 characters, a zero character, a character outside code page 1252,
a flag that is not true/false, a type not &quot;Normal&quot; or &quot;Pulse&quot;). What the
configuration editor would refuse (its text lengths, the pulse duration
outside %1 to %2) it imports with a warning; with --strict it refuses that
too (exit 3, nothing written). import and read never replace an existing
file without --force. read writes its file only from a complete read.

voice import FILE MESSAGE AUDIO and voice speak FILE MESSAGE [--text TEXT]
[--language CODE] write the recording of MESSAGE (H01..H16, L01..L16,
SelectOutput, SelectOnOff) beside FILE, as Site_H03.WAV for Site.QRB, in
the unit&apos;s format (8000 samples a second, 4000 with --low-quality),
trimmed of silence and brought to a common loudness; a failure leaves the
earlier recording as it was. speak takes the input&apos;s high or low text
unless --text is given. voice list FILE [--json] lists the 34 messages
and what Transfer to unit would send against the unit&apos;s 540,672 bytes.</source>
        <translation>Exit-Status: 0 Erfolg, 1 das Gerät oder die Verbindung versagte (diff: die
Dateien unterscheiden sich; check: Befunde; write --check: ein Fehler
gefunden, nichts geschrieben; provision: ein Gerät versagte), 2 falsche
Verwendung (voice speak: auch nichts zu sprechen oder keine espeak-ng-Stimme
für die Sprache), 3 eine Datei kann nicht gelesen oder geschrieben werden
(voice import und speak: auch kein Ton, still oder länger als der
Sprachspeicher des Geräts).

Der Port ist --port, sonst die Einstellung Options/COMPORT im Profil des
Programms (~/.config/quillary.ini: 0 für USB, n für COMn). Die
Umgebungsvariable QUILLARY_LINK_DEVICE nennt, wenn gesetzt, das serielle
Gerät, was immer das Profil sagt; --port auf der Kommandozeile geht ihr vor.
USB ist das in der Einrichtung gewählte Gerät (Options/Device), sonst das
einzige angeschlossene serielle USB-Gerät; ports listet sie mit dem
--port-Wert jedes einzelnen.

--journal URL, sonst die Einstellung History/Database, nennt das Journal
des Teams auf einem PostgreSQL-Server (postgresql://BENUTZER@HOST[:PORT]/
DATENBANK; das Passwort in ~/.pgpass). Jeder Eintrag wird zuerst auf diesem
Rechner gehalten und gesendet, wenn sein Befehl endet; die Einträge des
Teams werden vor history, restore und audit geholt. Ein nicht erreichbarer
Server ist ein Hinweis, kein Fehler: die Einträge warten auf die nächste
Gelegenheit (history sync).

show --json schreibt Texte als die Zeichen der Codepage 1252 der
Registerbytes und unter &quot;extra&quot;, was kein Feld zeigt (Register 86, Bytes
nach dem Ende eines Textes, eine Schreibweise wie &quot;0250&quot;), sodass import
jede Datei Byte für Byte zurückgibt. import weist mit Namen ab, was ein
Register nicht fassen kann (ein Text über 255 Zeichen, ein Nullzeichen, ein
Zeichen außerhalb der Codepage 1252, ein Schalter, der nicht true/false
ist, ein Typ außer &quot;Normal&quot; oder &quot;Pulse&quot;). Was der Konfigurationseditor
abweisen würde (seine Textlängen, die Impulsdauer außerhalb %1 bis %2),
importiert es mit einer Warnung; mit --strict weist es auch das ab (Exit 3,
nichts geschrieben). import und read ersetzen eine vorhandene Datei nie ohne
--force. read schreibt seine Datei nur aus einem vollständigen Lesen.

voice import FILE MESSAGE AUDIO und voice speak FILE MESSAGE [--text TEXT]
[--language CODE] schreiben die Aufnahme von MESSAGE (H01..H16, L01..L16,
SelectOutput, SelectOnOff) neben FILE, als Site_H03.WAV für Site.QRB, im
Format des Geräts (8000 Abtastwerte je Sekunde, 4000 mit --low-quality),
von Stille befreit und auf eine gemeinsame Lautstärke gebracht; ein Fehler
lässt die frühere Aufnahme, wie sie war. speak nimmt den Hoch- oder
Tief-Text des Eingangs, wenn --text nicht angegeben ist. voice list FILE
[--json] listet die 34 Nachrichten und was „Zum Gerät übertragen“ gegen die
540.672 Bytes des Geräts senden würde.</translation>
    </message>
    <message>
        <source>the team&apos;s journal: postgresql://USER@HOST[:PORT]/DATABASE</source>
        <translation>das Journal des Teams: postgresql://BENUTZER@HOST[:PORT]/DATENBANK</translation>
    </message>
    <message>
        <source>only the records made on this computer</source>
        <translation>nur die auf diesem Rechner gemachten Einträge</translation>
    </message>
    <message>
        <source>Send the records not yet shared to the team database and fetch the team&apos;s</source>
        <translation>Die noch nicht geteilten Einträge an die Team-Datenbank senden und die des Teams holen</translation>
    </message>
</context>
<context>
    <name>PortsText</name>
    <message>
        <source>No serial device is attached.</source>
        <translation>Es ist kein serielles Gerät angeschlossen.</translation>
    </message>
</context>
<context>
    <name>ProvisionText</name>
    <message>
        <source>no backup, nothing written: </source>
        <translation>keine Sicherung, nichts geschrieben: </translation>
    </message>
    <message>
        <source>; nothing written</source>
        <translation>; nichts geschrieben</translation>
    </message>
    <message>
        <source>reading back: </source>
        <translation>Zurücklesen: </translation>
    </message>
    <message>
        <source>registers differ after writing</source>
        <translation>die Register weichen nach dem Schreiben ab</translation>
    </message>
    <message>
        <source>cannot watch for USB serial devices coming and going (is udev running?); write the units one by one with write</source>
        <translation>das Kommen und Gehen serieller USB-Geräte kann nicht beobachtet werden (läuft udev?); schreiben Sie die Geräte einzeln mit write</translation>
    </message>
    <message>
        <source>Left alone (attached before the start): %1</source>
        <translation>Nicht angerührt (schon vor dem Start angeschlossen): %1</translation>
    </message>
    <message>
        <source>Plug in unit %1 (Ctrl-C ends)...</source>
        <translation>Schließen Sie Gerät %1 an (Strg-C beendet)...</translation>
    </message>
    <message>
        <source>Writing %1 into %2</source>
        <translation>%1 wird in %2 geschrieben</translation>
    </message>
    <message>
        <source>Unit %1 (%2): written and verified</source>
        <translation>Gerät %1 (%2): geschrieben und geprüft</translation>
    </message>
    <message>
        <source>unit %1 (%2) failed: %3</source>
        <translation>Gerät %1 (%2) fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>; stopping</source>
        <translation>; Abbruch</translation>
    </message>
    <message>
        <source>Stopped by Ctrl-C.</source>
        <translation>Mit Strg-C angehalten.</translation>
    </message>
    <message>
        <source>Unplug the unit from %1.</source>
        <translation>Trennen Sie das Gerät von %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n unit(s) provisioned: %1 succeeded, %2 failed.</source>
        <translation>
            <numerusform>%n Gerät eingerichtet: %1 erfolgreich, %2 fehlgeschlagen.</numerusform>
            <numerusform>%n Geräte eingerichtet: %1 erfolgreich, %2 fehlgeschlagen.</numerusform>
        </translation>
    </message>
    <message>
        <source>  failed: </source>
        <translation>  fehlgeschlagen: </translation>
    </message>
</context>
<context>
    <name>QtAudioDevice</name>
    <message>
        <source>The audio device could not be opened: it is busy or refuses the recording format.</source>
        <translation>Das Audiogerät konnte nicht geöffnet werden: es ist belegt oder lehnt das Aufnahmeformat ab.</translation>
    </message>
    <message>
        <source>The audio device stopped delivering or taking sound.</source>
        <translation>Das Audiogerät liefert oder nimmt keinen Ton mehr.</translation>
    </message>
    <message>
        <source>The audio device ran out of sound data.</source>
        <translation>Dem Audiogerät sind die Tondaten ausgegangen.</translation>
    </message>
    <message>
        <source>The audio device failed and cannot be used.</source>
        <translation>Das Audiogerät ist ausgefallen und kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The audio device could not be started.</source>
        <translation>Das Audiogerät konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>No sound input is available: there is no sound card or sound server to record from.</source>
        <translation>Es ist kein Toneingang verfügbar: es gibt keine Soundkarte und keinen Soundserver, von dem aufgenommen werden kann.</translation>
    </message>
    <message>
        <source>The sound input %1 offers no format that can be recorded.</source>
        <translation>Der Toneingang %1 bietet kein Format, das aufgenommen werden kann.</translation>
    </message>
    <message>
        <source>No sound output is available: there is no sound card or sound server to play on.</source>
        <translation>Es ist keine Tonausgabe verfügbar: es gibt keine Soundkarte und keinen Soundserver, auf dem abgespielt werden kann.</translation>
    </message>
    <message>
        <source>The sound output %1 offers no format that can be played.</source>
        <translation>Die Tonausgabe %1 bietet kein Format, das abgespielt werden kann.</translation>
    </message>
</context>
<context>
    <name>RecentFilesText</name>
    <message>
        <source>The configuration file &quot;%1&quot; no longer exists. It has been taken off the Recent menu.</source>
        <translation>Die Konfigurationsdatei „%1“ gibt es nicht mehr. Sie wurde aus dem Menü „Zuletzt verwendet“ entfernt.</translation>
    </message>
</context>
<context>
    <name>ReportText</name>
    <message>
        <source>Configuration has been printed</source>
        <translation>Die Konfiguration wurde gedruckt</translation>
    </message>
    <message>
        <source>Configuration could NOT be printed due to an error !</source>
        <translation>Die Konfiguration konnte wegen eines Fehlers NICHT gedruckt werden!</translation>
    </message>
    <message>
        <source>Configuration for &lt;%1&gt;</source>
        <translation>Konfiguration für &lt;%1&gt;</translation>
    </message>
    <message>
        <source> Configuration for &quot;%1&quot;</source>
        <translation> Konfiguration für „%1“</translation>
    </message>
    <message>
        <source> Printed %1</source>
        <translation> Gedruckt %1</translation>
    </message>
    <message>
        <source>List of allowed phonenumbers:</source>
        <translation>Liste erlaubter Rufnummern:</translation>
    </message>
    <message>
        <source>Clear allowed phonenumber list:</source>
        <translation>Liste erlaubter Rufnummern löschen:</translation>
    </message>
    <message>
        <source>Length of pulse on pulsed outputs (in mSec):</source>
        <translation>Impulsdauer an Impulsausgängen (in ms):</translation>
    </message>
    <message>
        <source>Configuration for inputs:</source>
        <translation>Konfiguration der Eingänge:</translation>
    </message>
    <message>
        <source>Input: %1</source>
        <translation>Eingang: %1</translation>
    </message>
    <message>
        <source>  Phonenumbers: </source>
        <translation>  Rufnummern: </translation>
    </message>
    <message>
        <source>  Hightext: </source>
        <translation>  Text Hoch: </translation>
    </message>
    <message>
        <source>  Lowtext:  </source>
        <translation>  Text Tief: </translation>
    </message>
    <message>
        <source>Configuration for outputs:</source>
        <translation>Konfiguration der Ausgänge:</translation>
    </message>
    <message>
        <source>Output: %1 Type: %2</source>
        <translation>Ausgang: %1 Art: %2</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Impuls</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>SafeWriteText</name>
    <message>
        <source>Nothing was sent to the unit.</source>
        <translation>An das Gerät wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>Reading the unit&apos;s configuration as a backup</source>
        <translation>Die Konfiguration des Geräts wird als Sicherung gelesen</translation>
    </message>
    <message>
        <source>reading the backup</source>
        <translation>Lesen der Sicherung</translation>
    </message>
    <message>
        <source>Nothing was written to the unit.</source>
        <translation>In das Gerät wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>keeping the backup</source>
        <translation>Speichern der Sicherung</translation>
    </message>
    <message>
        <source>Writing the configuration into the unit</source>
        <translation>Die Konfiguration wird in das Gerät geschrieben</translation>
    </message>
    <message>
        <source>The unit may hold part of the new configuration; its previous configuration is kept in the journal.</source>
        <translation>Das Gerät kann einen Teil der neuen Konfiguration enthalten; seine vorige Konfiguration ist im Journal gespeichert.</translation>
    </message>
    <message>
        <source>Write the previous configuration back into the unit now?</source>
        <translation>Die vorige Konfiguration jetzt in das Gerät zurückschreiben?</translation>
    </message>
    <message>
        <source>Reading the configuration back from the unit</source>
        <translation>Die Konfiguration wird aus dem Gerät zurückgelesen</translation>
    </message>
    <message>
        <source>the read-back</source>
        <translation>das Zurücklesen</translation>
    </message>
    <message>
        <source>The configuration was written, but could not be read back to check it.</source>
        <translation>Die Konfiguration wurde geschrieben, konnte aber zur Kontrolle nicht zurückgelesen werden.</translation>
    </message>
    <message>
        <source>registers %1</source>
        <translation>Register %1</translation>
    </message>
    <message>
        <source>The unit does not hold what was written. What did not take: %1.</source>
        <translation>Das Gerät enthält nicht, was geschrieben wurde. Nicht übernommen: %1.</translation>
    </message>
    <message>
        <source>The last write into this unit, on %1, did not finish (%2). What the unit held before it is kept in the journal: choose it in History... and Restore to unit, or run quillary-cli restore %3.</source>
        <translation>Der letzte Schreibvorgang in dieses Gerät am %1 wurde nicht abgeschlossen (%2). Was das Gerät vorher enthielt, ist im Journal gespeichert: im Verlauf... auswählen und In das Gerät zurückschreiben, oder quillary-cli restore %3 ausführen.</translation>
    </message>
    <message>
        <source>Nothing was read from the unit.</source>
        <translation>Aus dem Gerät wurde nichts gelesen.</translation>
    </message>
    <message>
        <source>The journal keeps no backup for this record.</source>
        <translation>Das Journal hat zu diesem Eintrag keine Sicherung.</translation>
    </message>
</context>
<context>
    <name>SendConfigCommandText</name>
    <message>
        <source>Configurationfile could not be sent using Email ! Please make sure that you have an Email program installed that supports MAPI.</source>
        <translation>Die Konfigurationsdatei konnte nicht per E-Mail gesendet werden! Bitte stellen Sie sicher, dass ein E-Mail-Programm mit MAPI-Unterstützung installiert ist.</translation>
    </message>
    <message>
        <source>Configurationfile has been sent !</source>
        <translation>Die Konfigurationsdatei wurde gesendet!</translation>
    </message>
    <message>
        <source>No mail server is set up: enter one under &quot;Mail settings...&quot;.</source>
        <translation>Es ist kein Mailserver eingerichtet: Tragen Sie einen unter „E-Mail-Einstellungen...“ ein.</translation>
    </message>
    <message>
        <source>There is no configuration file to send. Please save the configuration first.</source>
        <translation>Es gibt keine Konfigurationsdatei zum Senden. Bitte speichern Sie die Konfiguration zuerst.</translation>
    </message>
    <message>
        <source>The configuration could not be packed for sending; no e-mail was sent.

%1</source>
        <translation>Die Konfiguration konnte nicht zum Senden gepackt werden; es wurde keine E-Mail gesendet.

%1</translation>
    </message>
</context>
<context>
    <name>SendConfigText</name>
    <message>
        <source>Configuration file for VELK-Ardo/VELK-Tisk module</source>
        <translation>Konfigurationsdatei für das Modul VELK-Ardo/VELK-Tisk</translation>
    </message>
    <message>
        <source>Configuration file is attached this email.</source>
        <translation>Die Konfigurationsdatei ist dieser E-Mail angehängt.</translation>
    </message>
    <message>
        <source>Send configuration using Email</source>
        <translation>Konfiguration per E-Mail senden</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Angaben</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>An:</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Betreff:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Sending the configuration...</source>
        <translation>Die Konfiguration wird gesendet...</translation>
    </message>
    <message>
        <source>Send configuration as EMail</source>
        <translation>Konfiguration als E-Mail senden</translation>
    </message>
    <message>
        <source>Mail settings...</source>
        <translation>E-Mail-Einstellungen...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SerialDevicesText</name>
    <message>
        <source>The USB device chosen in Setup (%1) is not attached: plug it in, or choose another device in Setup.</source>
        <translation>Das in der Einrichtung gewählte USB-Gerät (%1) ist nicht angeschlossen: Stecken Sie es ein oder wählen Sie in der Einrichtung ein anderes Gerät.</translation>
    </message>
    <message>
        <source>No USB serial device is attached: plug the unit in.</source>
        <translation>Es ist kein serielles USB-Gerät angeschlossen: Stecken Sie das Gerät ein.</translation>
    </message>
    <message>
        <source>Several USB serial devices are attached (%1): choose the unit&apos;s in Setup.</source>
        <translation>Mehrere serielle USB-Geräte sind angeschlossen (%1): Wählen Sie in der Einrichtung dasjenige, an dem das Gerät hängt.</translation>
    </message>
</context>
<context>
    <name>SmtpTransportText</name>
    <message>
        <source>The mail server address &quot;%1&quot; holds a password. Quillary keeps no password: remove it from the address and put it in ~/.netrc (a line &quot;machine HOST login USER password SECRET&quot;).</source>
        <translation>Die Mailserver-Adresse „%1“ enthält ein Passwort. Quillary bewahrt keine Passwörter auf: Entfernen Sie es aus der Adresse und tragen Sie es in ~/.netrc ein (eine Zeile „machine HOST login USER password SECRET“).</translation>
    </message>
    <message>
        <source>The sender address &quot;%1&quot; is not an e-mail address.</source>
        <translation>Die Absenderadresse „%1“ ist keine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address.</source>
        <translation>„%1“ ist keine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>No recipient address was given.</source>
        <translation>Es wurde keine Empfängeradresse angegeben.</translation>
    </message>
    <message>
        <source>Not logged on to the mail server.</source>
        <translation>Nicht am Mailserver angemeldet.</translation>
    </message>
    <message>
        <source>The attachment %1 cannot be read.</source>
        <translation>Der Anhang %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The mail library could not be started.</source>
        <translation>Die Mail-Bibliothek konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The mail server answered: %1</source>
        <translation>Der Mailserver antwortete: %1</translation>
    </message>
    <message numerus="yes">
        <source>The mail server did not answer within %n seconds.</source>
        <translation>
            <numerusform>Der Mailserver hat nicht innerhalb von %n Sekunde geantwortet.</numerusform>
            <numerusform>Der Mailserver hat nicht innerhalb von %n Sekunden geantwortet.</numerusform>
        </translation>
    </message>
    <message>
        <source>The mail server &quot;%1&quot; is not an smtp:// or smtps:// address.</source>
        <translation>Der Mailserver „%1“ ist keine smtp://- oder smtps://-Adresse.</translation>
    </message>
</context>
<context>
    <name>SoundServer</name>
    <message>
        <source>The sound server does not answer, so nothing can be recorded or played: it is running but stopped or hung. Restart it (log out and in again, or run &quot;systemctl --user restart pipewire pipewire-pulse&quot; or &quot;systemctl --user restart pulseaudio&quot;) and try again.</source>
        <translation>Der Soundserver antwortet nicht, daher kann nichts aufgenommen oder abgespielt werden: er läuft, ist aber angehalten oder hängt. Starten Sie ihn neu (ab- und wieder anmelden, oder „systemctl --user restart pipewire pipewire-pulse“ bzw. „systemctl --user restart pulseaudio“ ausführen) und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>StepNamingText</name>
    <message>
        <source>the link was not set up</source>
        <translation>die Verbindung wurde nicht eingerichtet</translation>
    </message>
    <message>
        <source>the link library refused an argument</source>
        <translation>die Verbindungsbibliothek hat ein Argument abgelehnt</translation>
    </message>
    <message>
        <source>the port&apos;s device cannot be found or opened</source>
        <translation>das Gerät des Ports kann nicht gefunden oder geöffnet werden</translation>
    </message>
    <message>
        <source>the unit is not connected</source>
        <translation>das Gerät ist nicht verbunden</translation>
    </message>
    <message>
        <source>the unit did not answer in time</source>
        <translation>das Gerät hat nicht rechtzeitig geantwortet</translation>
    </message>
    <message>
        <source>the line failed or went away</source>
        <translation>die Leitung ist ausgefallen oder verschwunden</translation>
    </message>
    <message>
        <source>the unit&apos;s answers stayed garbled</source>
        <translation>die Antworten des Geräts blieben verstümmelt</translation>
    </message>
    <message>
        <source>the unit is password protected</source>
        <translation>das Gerät ist durch ein Passwort geschützt</translation>
    </message>
    <message>
        <source>the unit refused the request</source>
        <translation>das Gerät hat die Anfrage abgelehnt</translation>
    </message>
    <message>
        <source>a voice file cannot be read</source>
        <translation>eine Sprachdatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the link library was not started</source>
        <translation>die Verbindungsbibliothek wurde nicht gestartet</translation>
    </message>
    <message>
        <source>the link library ran out of memory</source>
        <translation>der Verbindungsbibliothek ging der Speicher aus</translation>
    </message>
    <message>
        <source>the link library failed inside</source>
        <translation>in der Verbindungsbibliothek trat ein interner Fehler auf</translation>
    </message>
    <message>
        <source>the link library returned %1</source>
        <translation>die Verbindungsbibliothek hat %1 zurückgegeben</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>connecting to the unit</source>
        <translation>Verbindung mit dem Gerät</translation>
    </message>
    <message>
        <source>connecting to the unit on %1</source>
        <translation>Verbindung mit dem Gerät an %1</translation>
    </message>
    <message>
        <source>asking the unit for its model</source>
        <translation>Abfrage des Gerätemodells</translation>
    </message>
    <message>
        <source>preparing the transfer</source>
        <translation>Vorbereitung der Übertragung</translation>
    </message>
    <message>
        <source>writing register %1 of %2</source>
        <translation>Schreiben von Register %1 von %2</translation>
    </message>
    <message>
        <source>writing register %1</source>
        <translation>Schreiben von Register %1</translation>
    </message>
    <message>
        <source>reading register %1 of %2</source>
        <translation>Lesen von Register %1 von %2</translation>
    </message>
    <message>
        <source>reading register %1</source>
        <translation>Lesen von Register %1</translation>
    </message>
    <message>
        <source>finishing the transfer</source>
        <translation>Abschluss der Übertragung</translation>
    </message>
    <message>
        <source>setting the clock</source>
        <translation>Stellen der Uhr</translation>
    </message>
    <message>
        <source>sending the voice files</source>
        <translation>Senden der Sprachdateien</translation>
    </message>
    <message>
        <source>sending voice file %1</source>
        <translation>Senden der Sprachdatei %1</translation>
    </message>
    <message>
        <source>sending voice file %1 (%2 of %3)</source>
        <translation>Senden der Sprachdatei %1 (%2 von %3)</translation>
    </message>
</context>
<context>
    <name>TeamJournalText</name>
    <message>
        <source>The team database %1 cannot be used: %2</source>
        <translation>Die Team-Datenbank %1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>its journal was made by a newer version of Quillary (version %1; this one knows up to %2)</source>
        <translation>ihr Journal stammt von einer neueren Version von Quillary (Version %1; diese kennt bis %2)</translation>
    </message>
    <message>
        <source>its journal tables are missing or old, and the role %1 may not make them (%2). The database&apos;s owner makes them with the script journal-postgresql.sql (in /usr/share/doc/quillary).</source>
        <translation>ihre Journal-Tabellen fehlen oder sind alt, und die Rolle %1 darf sie nicht anlegen (%2). Der Eigentümer der Datenbank legt sie mit dem Skript journal-postgresql.sql an (in /usr/share/doc/quillary).</translation>
    </message>
    <message>
        <source>The team database &quot;%1&quot; is not an address such as postgresql://installer@db.example.com/quillary.</source>
        <translation>Die Team-Datenbank „%1“ ist keine Adresse wie postgresql://installer@db.example.com/quillary.</translation>
    </message>
    <message>
        <source>The team database address &quot;%1&quot; holds a password. Quillary keeps no password: remove it from the address and put it in ~/.pgpass (a line &quot;HOST:PORT:DATABASE:USER:SECRET&quot;, the file readable by you only).</source>
        <translation>Die Adresse der Team-Datenbank „%1“ enthält ein Passwort. Quillary speichert kein Passwort: Entfernen Sie es aus der Adresse und legen Sie es in ~/.pgpass ab (eine Zeile „HOST:PORT:DATENBANK:BENUTZER:GEHEIMNIS“, die Datei nur für Sie lesbar).</translation>
    </message>
    <message>
        <source>The CA file &quot;%1&quot; for the team database has a &apos;;&apos; in its name; move it to a name without one.</source>
        <translation>Die CA-Datei „%1“ für die Team-Datenbank hat ein „;“ im Namen; verschieben Sie sie unter einen Namen ohne.</translation>
    </message>
    <message>
        <source>Qt&apos;s PostgreSQL driver is missing (install the package libqt6sql6-psql).</source>
        <translation>Der PostgreSQL-Treiber von Qt fehlt (installieren Sie das Paket libqt6sql6-psql).</translation>
    </message>
    <message>
        <source>the name %1 was not looked up within %2 s (the name server does not answer)</source>
        <translation>der Name %1 wurde nicht innerhalb von %2 s aufgelöst (der Nameserver antwortet nicht)</translation>
    </message>
    <message>
        <source>the name %1 is not known (%2)</source>
        <translation>der Name %1 ist nicht bekannt (%2)</translation>
    </message>
</context>
<context>
    <name>UnitCommandsText</name>
    <message>
        <source>the unit could not be read back to verify</source>
        <translation>das Gerät konnte zur Prüfung nicht zurückgelesen werden</translation>
    </message>
    <message>
        <source>verify: the unit&apos;s register %1 differs from %2</source>
        <translation>Prüfung: Register %1 des Geräts weicht von %2 ab</translation>
    </message>
    <message>
        <source>verify: the unit&apos;s registers %1 differ from %2</source>
        <translation>Prüfung: die Register %1 des Geräts weichen von %2 ab</translation>
    </message>
    <message>
        <source>Verified: the unit holds the 87 registers of %1</source>
        <translation>Geprüft: das Gerät enthält die 87 Register aus %1</translation>
    </message>
    <message>
        <source>the unit could not be read for its backup; nothing was written to it</source>
        <translation>das Gerät konnte für die Sicherung nicht gelesen werden; es wurde nichts darauf geschrieben</translation>
    </message>
    <message>
        <source>; nothing was written to the unit</source>
        <translation>; auf das Gerät wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>Backup of the unit: %1</source>
        <translation>Sicherung des Geräts: %1</translation>
    </message>
    <message>
        <source>nothing was sent to the unit; --no-journal goes on without the journal</source>
        <translation>an das Gerät wurde nichts gesendet; --no-journal macht ohne Journal weiter</translation>
    </message>
    <message>
        <source>To write back what the unit held before: quillary-cli restore %1</source>
        <translation>Um zurückzuschreiben, was das Gerät vorher enthielt: quillary-cli restore %1</translation>
    </message>
</context>
<context>
    <name>UnitRecordsText</name>
    <message>
        <source>the backup folder %1 cannot be used: %2</source>
        <translation>der Sicherungsordner %1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>the backup folder %1 is not a folder</source>
        <translation>der Sicherungsordner %1 ist kein Ordner</translation>
    </message>
    <message>
        <source>the backup folder %1 cannot be written to: %2</source>
        <translation>in den Sicherungsordner %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write a backup in %1: %2</source>
        <translation>in %1 kann keine Sicherung geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write the backup %1: %2</source>
        <translation>die Sicherung %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot find a free backup name for %1 in %2</source>
        <translation>für %1 ist in %2 kein freier Sicherungsname zu finden</translation>
    </message>
    <message>
        <source>the log %1 is not a regular file</source>
        <translation>das Protokoll %1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>the log %1 is a symbolic link; name the file itself</source>
        <translation>das Protokoll %1 ist ein symbolischer Link; geben Sie die Datei selbst an</translation>
    </message>
    <message>
        <source>cannot open the log %1: %2</source>
        <translation>das Protokoll %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>cannot write to the log %1: %2</source>
        <translation>in das Protokoll %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>UnitTexts</name>
    <message>
        <source>The transfer is complete !</source>
        <translation>Die Übertragung ist abgeschlossen!</translation>
    </message>
    <message>
        <source>Error communicating with unit !</source>
        <translation>Fehler bei der Kommunikation mit dem Gerät!</translation>
    </message>
    <message>
        <source>You need to restart the program in order to make the changes take effect !</source>
        <translation>Sie müssen das Programm neu starten, damit die Änderungen wirksam werden!</translation>
    </message>
    <message>
        <source>Clock has been set</source>
        <translation>Die Uhr wurde gestellt</translation>
    </message>
    <message>
        <source>Unit is password protected</source>
        <translation>Das Gerät ist kennwortgeschützt</translation>
    </message>
    <message>
        <source>Do you also want to upload the voicemessages to the unit ?</source>
        <translation>Möchten Sie auch die Sprachnachrichten zum Gerät übertragen?</translation>
    </message>
    <message>
        <source>One or more of the configured voicefiles does not exist !</source>
        <translation>Eine oder mehrere der eingestellten Sprachdateien existieren nicht!</translation>
    </message>
</context>
<context>
    <name>UploadText</name>
    <message>
        <source>it has grown beyond the unit&apos;s voice memory</source>
        <translation>sie ist über den Sprachspeicher des Geräts hinausgewachsen</translation>
    </message>
    <message>
        <source>The voice file &quot;%1&quot; cannot be sent to the unit: %2.</source>
        <translation>Die Sprachdatei „%1“ kann nicht zum Gerät gesendet werden: %2.</translation>
    </message>
    <message>
        <source>The voice file &quot;%1&quot; could not be copied for sending: %2.</source>
        <translation>Die Sprachdatei „%1“ konnte nicht zum Senden kopiert werden: %2.</translation>
    </message>
    <message>
        <source>No temporary folder could be made for the voice files: %1.</source>
        <translation>Für die Sprachdateien konnte kein temporärer Ordner angelegt werden: %1.</translation>
    </message>
</context>
<context>
    <name>VoiceCommandText</name>
    <message>
        <source>MESSAGE is H01 to H16, L01 to L16, SelectOutput or SelectOnOff, not &quot;%1&quot;</source>
        <translation>MESSAGE ist H01 bis H16, L01 bis L16, SelectOutput oder SelectOnOff, nicht „%1“</translation>
    </message>
    <message>
        <source>%1: %2 seconds, %L3 bytes at %L4 samples a second</source>
        <translation>%1: %2 Sekunden, %L3 Bytes bei %L4 Abtastwerten pro Sekunde</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>present</source>
        <translation>vorhanden</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>Transfer to unit would send %L1 of the unit&apos;s %L2 bytes (%3%).</source>
        <translation>Zum Gerät übertragen würde %L1 der %L2 Bytes des Geräts senden (%3 %).</translation>
    </message>
    <message>
        <source>reading %1</source>
        <translation>lese %1</translation>
    </message>
    <message>
        <source>There is nothing to speak: the text given with --text is empty</source>
        <translation>Es gibt nichts zu sprechen: der mit --text angegebene Text ist leer</translation>
    </message>
    <message>
        <source>There is nothing to speak: %1 has no text in %2; give one with --text</source>
        <translation>Es gibt nichts zu sprechen: %1 hat in %2 keinen Text; geben Sie einen mit --text an</translation>
    </message>
    <message>
        <source>There is nothing to speak: the prompt %1 has no text in the configuration; give one with --text</source>
        <translation>Es gibt nichts zu sprechen: die Ansage %1 hat in der Konfiguration keinen Text; geben Sie einen mit --text an</translation>
    </message>
</context>
<context>
    <name>VoiceMessagesText</name>
    <message>
        <source>8-bit</source>
        <translation>8 Bit</translation>
    </message>
    <message>
        <source>16-bit</source>
        <translation>16 Bit</translation>
    </message>
    <message>
        <source>32-bit</source>
        <translation>32 Bit</translation>
    </message>
    <message>
        <source>32-bit float</source>
        <translation>32 Bit Gleitkomma</translation>
    </message>
    <message>
        <source>mono</source>
        <translation>mono</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>stereo</translation>
    </message>
    <message numerus="yes">
        <source>%n-channel</source>
        <translation>
            <numerusform>%n Kanal</numerusform>
            <numerusform>%n Kanäle</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2 PCM, %3 Hz</source>
        <translation>%1 %2 PCM, %3 Hz</translation>
    </message>
</context>
<context>
    <name>VoiceRecorder</name>
    <message>
        <source>Playback stopped!</source>
        <translation>Wiedergabe gestoppt!</translation>
    </message>
    <message>
        <source>Playback interrupted!</source>
        <translation>Wiedergabe unterbrochen!</translation>
    </message>
    <message>
        <source>The recording could not be saved as %1: %2</source>
        <translation>Die Aufnahme konnte nicht als %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Sound files (*.wav *.WAV *.flac *.ogg *.oga *.opus *.mp3 *.MP3);;All files (*)</source>
        <translation>Tondateien (*.wav *.WAV *.flac *.ogg *.oga *.opus *.mp3 *.MP3);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importiere %1...</translation>
    </message>
    <message>
        <source>Speaking the text (%1)...</source>
        <translation>Spreche den Text (%1)...</translation>
    </message>
    <message>
        <source>The voice message could not be made.</source>
        <translation>Die Sprachnachricht konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>The audio device could not be started.</source>
        <translation>Das Audiogerät konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>VoiceSourceText</name>
    <message>
        <source>it is a symbolic link, and recordings are not written through links</source>
        <translation>sie ist ein symbolischer Link, und Aufnahmen werden nicht durch Links geschrieben</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>its folder %1 does not exist</source>
        <translation>ihr Ordner %1 existiert nicht</translation>
    </message>
    <message>
        <source>its folder %1 cannot be written (%2)</source>
        <translation>in ihren Ordner %1 kann nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be written: %2.</source>
        <translation>Die Aufnahme „%1“ kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>%1 is too long for the unit: its whole voice memory of %L2 bytes holds %3 seconds at %L4 samples a second.</source>
        <translation>%1 ist zu lang für das Gerät: sein ganzer Sprachspeicher von %L2 Bytes fasst %3 Sekunden bei %L4 Abtastwerten pro Sekunde.</translation>
    </message>
    <message>
        <source>%1 is not sound that can be imported: %2.</source>
        <translation>%1 ist kein Ton, der importiert werden kann: %2.</translation>
    </message>
    <message>
        <source>%1 is damaged and could not be read to its end: %2.</source>
        <translation>%1 ist beschädigt und konnte nicht bis zum Ende gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1 holds no sound: it is silent throughout.</source>
        <translation>%1 enthält keinen Ton: es ist durchgehend still.</translation>
    </message>
    <message>
        <source>The import of %1 was stopped; the earlier recording is unchanged.</source>
        <translation>Der Import von %1 wurde abgebrochen; die frühere Aufnahme ist unverändert.</translation>
    </message>
    <message>
        <source>%1 could not be converted: %2.</source>
        <translation>%1 konnte nicht umgewandelt werden: %2.</translation>
    </message>
    <message>
        <source>; the earlier recording is unchanged</source>
        <translation>; die frühere Aufnahme ist unverändert</translation>
    </message>
    <message>
        <source>the speech synthesiser espeak-ng cannot start (%1); is the package espeak-ng-data installed?</source>
        <translation>die Sprachsynthese espeak-ng kann nicht starten (%1); ist das Paket espeak-ng-data installiert?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be imported: %2.</source>
        <translation>„%1“ kann nicht importiert werden: %2.</translation>
    </message>
    <message>
        <source>%1 is not a sound file that can be imported (WAV, FLAC, Ogg Vorbis, Opus or MP3): %2</source>
        <translation>%1 ist keine Tondatei, die importiert werden kann (WAV, FLAC, Ogg Vorbis, Opus oder MP3): %2</translation>
    </message>
    <message>
        <source>There is nothing to speak: the text is empty.</source>
        <translation>Es gibt nichts zu sprechen: der Text ist leer.</translation>
    </message>
    <message>
        <source>The text cannot be spoken: %1.</source>
        <translation>Der Text kann nicht gesprochen werden: %1.</translation>
    </message>
    <message>
        <source>espeak-ng has no voice for the language &quot;%1&quot; (try a code such as en, de or cs).</source>
        <translation>espeak-ng hat keine Stimme für die Sprache „%1“ (versuchen Sie einen Code wie en, de oder cs).</translation>
    </message>
    <message>
        <source>The text could not be spoken: %1.</source>
        <translation>Der Text konnte nicht gesprochen werden: %1.</translation>
    </message>
    <message>
        <source>The spoken text</source>
        <translation>Der gesprochene Text</translation>
    </message>
</context>
<context>
    <name>WaveFileText</name>
    <message>
        <source>it does not exist</source>
        <translation>sie existiert nicht</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>sie kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>it is larger than the unit&apos;s voice memory of %1 bytes</source>
        <translation>sie ist größer als der Sprachspeicher des Geräts von %1 Bytes</translation>
    </message>
    <message>
        <source>it is not a WAV file</source>
        <translation>sie ist keine WAV-Datei</translation>
    </message>
    <message>
        <source>it is shorter than its header says</source>
        <translation>sie ist kürzer, als ihr Kopf angibt</translation>
    </message>
    <message>
        <source>it is not 8-bit mono PCM sound at 8000 or 4000 Hz</source>
        <translation>sie ist kein 8-Bit-Mono-PCM-Ton mit 8000 oder 4000 Hz</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened: %2.</source>
        <translation>Die Datei %1 kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The file %1 cannot be played: %2.</source>
        <translation>Die Datei %1 kann nicht abgespielt werden: %2.</translation>
    </message>
    <message>
        <source>The file %1 is not a playable WAV file.</source>
        <translation>Die Datei %1 ist keine abspielbare WAV-Datei.</translation>
    </message>
</context>
<context>
    <name>WaveformText</name>
    <message>
        <source>, silent</source>
        <translation>, still</translation>
    </message>
    <message>
        <source>%1, peak %2 dBFS</source>
        <translation>%1, Spitze %2 dBFS</translation>
    </message>
    <message>
        <source>, clipped</source>
        <translation>, übersteuert</translation>
    </message>
</context>
</TS>
