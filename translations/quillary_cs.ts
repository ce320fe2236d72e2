<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="en">
<context>
    <name>ArchiveText</name>
    <message>
        <source>Cannot write the archive %1: %2.</source>
        <translation>Archiv %1 nelze zapsat: %2.</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>nejde o běžný soubor</translation>
    </message>
    <message>
        <source>Cannot read the configuration file %1.</source>
        <translation>Konfigurační soubor %1 nelze přečíst.</translation>
    </message>
    <message>
        <source>The voice file %1 cannot be sent: %2. Remove it or record that message again, then send once more.</source>
        <translation>Hlasový soubor %1 nelze odeslat: %2. Odstraňte jej nebo tuto zprávu nahrajte znovu a pak odešlete ještě jednou.</translation>
    </message>
    <message>
        <source>Cannot create the archive in the folder %1: %2.</source>
        <translation>Ve složce %1 nelze vytvořit archiv: %2.</translation>
    </message>
    <message>
        <source>the file ended early</source>
        <translation>soubor předčasně skončil</translation>
    </message>
    <message>
        <source>Cannot read %1: %2.</source>
        <translation>%1 nelze přečíst: %2.</translation>
    </message>
    <message>
        <source>The archive %1 would be larger than a zip archive can be (4 GiB).</source>
        <translation>Archiv %1 by byl větší, než může být archiv ZIP (4 GiB).</translation>
    </message>
    <message>
        <source>Cannot pack the archive %1: zip error %2.</source>
        <translation>Archiv %1 nelze zabalit: chyba ZIP %2.</translation>
    </message>
</context>
<context>
    <name>CEditInput</name>
    <message>
        <source>Modify input configuration</source>
        <translation>Upravit konfiguraci vstupu</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktivní</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Nahrát</translation>
    </message>
    <message>
        <source>Phonenumbers:
Seperate each number with a &quot;,&quot; (comma)</source>
        <translation>Telefonní čísla:
Jednotlivá čísla oddělte znakem „,“ (čárkou)</translation>
    </message>
    <message>
        <source>High text:</source>
        <translation>Text pro sepnutí:</translation>
    </message>
    <message>
        <source>Low text:</source>
        <translation>Text pro rozepnutí:</translation>
    </message>
    <message>
        <source>Voice on High:</source>
        <translation>Hlas při sepnutí:</translation>
    </message>
    <message>
        <source>Voice on Low:</source>
        <translation>Hlas při rozepnutí:</translation>
    </message>
    <message>
        <source>The high text can hold at most %1 characters.</source>
        <translation>Text pro sepnutí může mít nejvýše %1 znaků.</translation>
    </message>
    <message>
        <source>The low text can hold at most %1 characters.</source>
        <translation>Text pro rozepnutí může mít nejvýše %1 znaků.</translation>
    </message>
    <message>
        <source>The phone numbers can hold at most %1 characters.</source>
        <translation>Telefonní čísla mohou mít dohromady nejvýše %1 znaků.</translation>
    </message>
    <message>
        <source>Save the configuration to a file first: its voice messages are kept beside it.</source>
        <translation>Nejdříve uložte konfiguraci do souboru: hlasové zprávy se ukládají vedle něj.</translation>
    </message>
    <message>
        <source>Voicemessage for high on input %1</source>
        <translation>Hlasová zpráva pro sepnutí vstupu %1</translation>
    </message>
    <message>
        <source>Voicemessage for low on input %1</source>
        <translation>Hlasová zpráva pro rozepnutí vstupu %1</translation>
    </message>
</context>
<context>
    <name>CEditOutput</name>
    <message>
        <source>Modify output configuration</source>
        <translation>Upravit konfiguraci výstupu</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Pulzní</translation>
    </message>
    <message>
        <source>Output type:</source>
        <translation>Typ výstupu:</translation>
    </message>
    <message>
        <source>High text:</source>
        <translation>Text pro sepnutí:</translation>
    </message>
    <message>
        <source>Low text:</source>
        <translation>Text pro rozepnutí:</translation>
    </message>
</context>
<context>
    <name>CMyPropertyPage1</name>
    <message>
        <source>Command to clear allowed caller list:</source>
        <translation>Příkaz k vymazání seznamu povolených volajících:</translation>
    </message>
    <message>
        <source>List of allowed callers:
Seperate each number with a &quot;,&quot; (comma)</source>
        <translation>Seznam povolených volajících:
Jednotlivá čísla oddělte znakem „,“ (čárkou)</translation>
    </message>
    <message>
        <source>Duration of pulse on pulsed outputs (in mSec):</source>
        <translation>Délka pulzu na pulzních výstupech (v ms):</translation>
    </message>
    <message>
        <source>The list of allowed callers can hold at most %1 characters.</source>
        <translation>Seznam povolených volajících může mít nejvýše %1 znaků.</translation>
    </message>
    <message>
        <source>The command to clear the allowed caller list can hold at most %1 characters.</source>
        <translation>Příkaz k vymazání seznamu povolených volajících může mít nejvýše %1 znaků.</translation>
    </message>
    <message>
        <source>The duration of pulse must be a whole number of mSec.</source>
        <translation>Délka pulzu musí být celý počet milisekund.</translation>
    </message>
    <message>
        <source>The duration of pulse must be from %1 to %2 mSec.</source>
        <translation>Délka pulzu musí být od %1 do %2 ms.</translation>
    </message>
</context>
<context>
    <name>CMyPropertyPage2</name>
    <message>
        <source>Inputs</source>
        <translation>Vstupy</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Č.</translation>
    </message>
    <message>
        <source>Phonenumbers</source>
        <translation>Telefonní čísla</translation>
    </message>
    <message>
        <source>High text</source>
        <translation>Text pro sepnutí</translation>
    </message>
    <message>
        <source>Low text</source>
        <translation>Text pro rozepnutí</translation>
    </message>
    <message>
        <source>Voice</source>
        <translation>Hlas</translation>
    </message>
</context>
<context>
    <name>CMyPropertyPage3</name>
    <message>
        <source>Outputs</source>
        <translation>Výstupy</translation>
    </message>
    <message>
        <source>Num</source>
        <translation>Č.</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>High text</source>
        <translation>Text pro sepnutí</translation>
    </message>
    <message>
        <source>Low text</source>
        <translation>Text pro rozepnutí</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Pulzní</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normální</translation>
    </message>
</context>
<context>
    <name>CMyPropertySheet</name>
    <message>
        <source>Configuration</source>
        <translation>Konfigurace</translation>
    </message>
    <message>
        <source>Validation and Parameters</source>
        <translation>Ověření a parametry</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Vstupy</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Výstupy</translation>
    </message>
</context>
<context>
    <name>CQuillaryDlg</name>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message>
        <source>Configure...</source>
        <translation>Upravit...</translation>
    </message>
    <message>
        <source>Transfer from unit</source>
        <translation>Načíst z jednotky</translation>
    </message>
    <message>
        <source>Transfer to unit</source>
        <translation>Zapsat do jednotky</translation>
    </message>
    <message>
        <source>Send configuration...</source>
        <translation>Odeslat konfiguraci...</translation>
    </message>
    <message>
        <source>Print configuration...</source>
        <translation>Tisknout konfiguraci...</translation>
    </message>
    <message>
        <source>Load configuration...</source>
        <translation>Načíst konfiguraci...</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Nastavení</translation>
    </message>
    <message>
        <source>Syncronize clock</source>
        <translation>Seřídit hodiny</translation>
    </message>
    <message>
        <source>New configuration...</source>
        <translation>Nová konfigurace...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programu</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfigurace</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Jednotka</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Průběh</translation>
    </message>
    <message>
        <source>History...</source>
        <translation>Historie...</translation>
    </message>
    <message>
        <source>&amp;Recent</source>
        <translation>&amp;Nedávné</translation>
    </message>
    <message>
        <source>No recent configurations</source>
        <translation>Žádné nedávné konfigurace</translation>
    </message>
    <message>
        <source>The team database is not used</source>
        <translation>Týmová databáze se nepoužívá</translation>
    </message>
    <message>
        <source>1 record not yet shared</source>
        <translation>Záznamy dosud nesdílené: 1</translation>
    </message>
    <message numerus="yes">
        <source>%n records not yet shared</source>
        <translation>
            <numerusform>Záznamy dosud nesdílené: %n</numerusform>
            <numerusform>Záznamy dosud nesdílené: %n</numerusform>
            <numerusform>Záznamy dosud nesdílené: %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CSetupDlg</name>
    <message>
        <source>Setup</source>
        <translation>Nastavení</translation>
    </message>
    <message>
        <source>Communication setup</source>
        <translation>Nastavení komunikace</translation>
    </message>
    <message>
        <source>&amp;USB serial devices attached:</source>
        <translation>Připojená sériová zařízení &amp;USB:</translation>
    </message>
    <message>
        <source>USB serial devices attached</source>
        <translation>Připojená sériová zařízení USB</translation>
    </message>
    <message>
        <source>Vendor</source>
        <translation>Výrobce</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Sériové číslo</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Zařízení</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>Any</source>
        <translation>Libovolné</translation>
    </message>
    <message>
        <source>(the only one attached)</source>
        <translation>(jediné připojené)</translation>
    </message>
    <message>
        <source>No USB serial device is attached.</source>
        <translation>Není připojeno žádné sériové zařízení USB.</translation>
    </message>
    <message>
        <source>The chosen device (%1) is not attached.</source>
        <translation>Zvolené zařízení (%1) není připojeno.</translation>
    </message>
</context>
<context>
    <name>CVoiceNewDlg</name>
    <message>
        <source>Voicemessage</source>
        <translation>Hlasová zpráva</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stav</translation>
    </message>
    <message>
        <source>Total usage of voice memory</source>
        <translation>Celkové využití hlasové paměti</translation>
    </message>
    <message>
        <source>This message usage of total voice memory</source>
        <translation>Podíl této zprávy na celé hlasové paměti</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funkce</translation>
    </message>
    <message>
        <source>Low quality</source>
        <translation>Nízká kvalita</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Přehrát</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Nahrát</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Zastavit</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importovat...</translation>
    </message>
    <message>
        <source>Make this message from a sound file</source>
        <translation>Vytvořit tuto zprávu ze zvukového souboru</translation>
    </message>
    <message>
        <source>&amp;Speak</source>
        <translation>&amp;Vyslovit</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message>
        <source>This message has no text to speak</source>
        <translation>Tato zpráva nemá žádný text k vyslovení</translation>
    </message>
    <message>
        <source>Speak &quot;%1&quot;</source>
        <translation>Vyslovit „%1“</translation>
    </message>
</context>
<context>
    <name>CWaveformView</name>
    <message>
        <source>Recording</source>
        <translation>Nahrávka</translation>
    </message>
    <message>
        <source>No recording</source>
        <translation>Žádná nahrávka</translation>
    </message>
</context>
<context>
    <name>CheckCommandText</name>
    <message>
        <source>--region takes a two-letter country code such as CZ, not &quot;%1&quot;</source>
        <translation>--region očekává dvoupísmenný kód země, například CZ, ne „%1“</translation>
    </message>
    <message>
        <source>%1 was not written: the check found errors (see above)</source>
        <translation>%1 nebyl zapsán: kontrola našla chyby (viz výše)</translation>
    </message>
</context>
<context>
    <name>CheckText</name>
    <message>
        <source>output prompt</source>
        <translation>výzva k volbě výstupu</translation>
    </message>
    <message>
        <source>on/off prompt</source>
        <translation>výzva zapnout/vypnout</translation>
    </message>
    <message>
        <source>%1: switched on, but there is no recording %2 in %3</source>
        <translation>%1: zapnuto, ale ve složce %3 chybí nahrávka %2</translation>
    </message>
    <message>
        <source>%1: %2 cannot go to the unit: %3</source>
        <translation>%1: %2 nelze poslat do jednotky: %3</translation>
    </message>
    <message>
        <source>voice messages: %L1 bytes to send, more than the unit&apos;s %L2</source>
        <translation>hlasové zprávy: k odeslání %L1 bajtů, více než pojme jednotka (%L2)</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not in the GSM alphabet, so the text goes as UCS-2 (70 characters an SMS instead of 160)</source>
        <translation>%1: „%2“ není v abecedě GSM, text se proto pošle jako UCS-2 (70 znaků v jedné SMS místo 160)</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 %3 characters need %n SMS</source>
        <translation>
            <numerusform>%1: %2 znaků %3 potřebuje %n SMS</numerusform>
            <numerusform>%1: %2 znaků %3 potřebuje %n SMS</numerusform>
            <numerusform>%1: %2 znaků %3 potřebuje %n SMS</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 holds characters the unit does not dial; write only digits, with + in front</source>
        <translation>%1 obsahuje znaky, které jednotka nevytočí; pište jen číslice, na začátku případně +</translation>
    </message>
    <message>
        <source>%1 is not in international form (no country is known to check it against: write it with + and the country code)</source>
        <translation>%1 není v mezinárodním tvaru (není známa země, podle které je lze ověřit: pište je s + a kódem země)</translation>
    </message>
    <message>
        <source>%1 is not a valid phone number</source>
        <translation>%1 není platné telefonní číslo</translation>
    </message>
    <message>
        <source>%1 is not a valid phone number (region %2)</source>
        <translation>%1 není platné telefonní číslo (oblast %2)</translation>
    </message>
    <message>
        <source>%1 is not in international form (%2)</source>
        <translation>%1 není v mezinárodním tvaru (%2)</translation>
    </message>
    <message>
        <source>%1 is in the list twice (%2)</source>
        <translation>%1 je v seznamu dvakrát (%2)</translation>
    </message>
    <message>
        <source>The check found errors in this configuration:

%1

Write it into the unit anyway?</source>
        <translation>Kontrola našla v této konfiguraci chyby:

%1

Přesto ji zapsat do jednotky?</translation>
    </message>
</context>
<context>
    <name>ConfigCommandText</name>
    <message>
        <source>Configuration files (*.QRB)</source>
        <translation>Konfigurační soubory (*.QRB)</translation>
    </message>
    <message>
        <source>The configuration has not been saved. Close without saving it?</source>
        <translation>Konfigurace nebyla uložena. Zavřít bez uložení?</translation>
    </message>
</context>
<context>
    <name>ConfigFieldText</name>
    <message>
        <source>input %1 phone numbers</source>
        <translation>vstup %1, telefonní čísla</translation>
    </message>
    <message>
        <source>input %1 high text</source>
        <translation>vstup %1, text pro sepnutí</translation>
    </message>
    <message>
        <source>input %1 low text</source>
        <translation>vstup %1, text pro rozepnutí</translation>
    </message>
    <message>
        <source>input %1 high voice message</source>
        <translation>vstup %1, hlasová zpráva pro sepnutí</translation>
    </message>
    <message>
        <source>input %1 low voice message</source>
        <translation>vstup %1, hlasová zpráva pro rozepnutí</translation>
    </message>
    <message>
        <source>output %1 type</source>
        <translation>výstup %1, typ</translation>
    </message>
    <message>
        <source>output %1 high text</source>
        <translation>výstup %1, text pro sepnutí</translation>
    </message>
    <message>
        <source>output %1 low text</source>
        <translation>výstup %1, text pro rozepnutí</translation>
    </message>
    <message>
        <source>allowed callers</source>
        <translation>povolení volající</translation>
    </message>
    <message>
        <source>clear command</source>
        <translation>příkaz k vymazání</translation>
    </message>
    <message>
        <source>pulse duration</source>
        <translation>délka pulzu</translation>
    </message>
</context>
<context>
    <name>ConfigFileText</name>
    <message>
        <source>The configuration file could not be saved:</source>
        <translation>Konfigurační soubor nelze uložit:</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Nejde o běžný soubor.</translation>
    </message>
    <message>
        <source>The configuration file could neither be opened nor created:</source>
        <translation>Konfigurační soubor nelze otevřít ani vytvořit:</translation>
    </message>
    <message>
        <source>The configuration file could not be created:</source>
        <translation>Konfigurační soubor nelze vytvořit:</translation>
    </message>
    <message>
        <source>The configuration file could not be opened:</source>
        <translation>Konfigurační soubor nelze otevřít:</translation>
    </message>
    <message>
        <source>The configuration file could not be read:</source>
        <translation>Konfigurační soubor nelze přečíst:</translation>
    </message>
</context>
<context>
    <name>ConfigJsonText</name>
    <message>
        <source>unknown field</source>
        <translation>neznámé pole</translation>
    </message>
    <message>
        <source>must be a text</source>
        <translation>musí být text</translation>
    </message>
    <message>
        <source>must not hold a zero character, which ends a register text</source>
        <translation>nesmí obsahovat nulový znak, který ukončuje text registru</translation>
    </message>
    <message>
        <source>holds characters outside code page 1252</source>
        <translation>obsahuje znaky mimo kódovou stránku 1252</translation>
    </message>
    <message>
        <source>at most %1 characters, not %2</source>
        <translation>nejvýše %1 znaků, ne %2</translation>
    </message>
    <message>
        <source>the editor takes at most %1 characters, not %2</source>
        <translation>editor přijímá nejvýše %1 znaků, ne %2</translation>
    </message>
    <message>
        <source>must be true or false</source>
        <translation>musí být true nebo false</translation>
    </message>
    <message>
        <source>must be a whole number</source>
        <translation>musí být celé číslo</translation>
    </message>
    <message>
        <source>must lie from %1 to %2</source>
        <translation>musí být od %1 do %2</translation>
    </message>
    <message>
        <source>must be %1, the entry&apos;s place in the list</source>
        <translation>musí být %1, pořadí položky v seznamu</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>musí být objekt</translation>
    </message>
    <message>
        <source>the editor takes %1 to %2, not %3</source>
        <translation>editor přijímá %1 až %2, ne %3</translation>
    </message>
    <message>
        <source>must be &quot;%1&quot; or &quot;%2&quot;</source>
        <translation>musí být „%1“ nebo „%2“</translation>
    </message>
    <message>
        <source>must be a register number, 1 to 87</source>
        <translation>musí být číslo registru, 1 až 87</translation>
    </message>
    <message>
        <source>must be a text of at most 255 characters of code page 1252 without a zero</source>
        <translation>musí být text o nejvýše 255 znacích kódové stránky 1252 bez nulového znaku</translation>
    </message>
    <message>
        <source>must be a text of at most 255 characters of code page 1252</source>
        <translation>musí být text o nejvýše 255 znacích kódové stránky 1252</translation>
    </message>
    <message>
        <source>text and tail together exceed the register&apos;s 256 bytes</source>
        <translation>text a zbytek dohromady přesahují 256 bajtů registru</translation>
    </message>
    <message>
        <source>not JSON: %1 at byte %2</source>
        <translation>není JSON: %1 na bajtu %2</translation>
    </message>
    <message>
        <source>the configuration must be a JSON object</source>
        <translation>konfigurace musí být objekt JSON</translation>
    </message>
    <message>
        <source>register </source>
        <translation>registr </translation>
    </message>
    <message>
        <source>registers </source>
        <translation>registry </translation>
    </message>
    <message>
        <source>: bytes that no field shows differ</source>
        <translation>: liší se bajty, které žádné pole neukazuje</translation>
    </message>
    <message>
        <source>: spelled differently, read alike (such as &quot;0250&quot; and &quot;250&quot;, or a final &quot;.&quot;)</source>
        <translation>: zapsáno jinak, čte se stejně (například „0250“ a „250“ nebo koncová „.“)</translation>
    </message>
    <message>
        <source>%1[%2] (input %3)</source>
        <translation>%1[%2] (vstup %3)</translation>
    </message>
    <message>
        <source>%1[%2] (output %3)</source>
        <translation>%1[%2] (výstup %3)</translation>
    </message>
    <message numerus="yes">
        <source>must be a list of %n inputs</source>
        <translation>
            <numerusform>musí být seznam %n vstupu</numerusform>
            <numerusform>musí být seznam %n vstupů</numerusform>
            <numerusform>musí být seznam %n vstupů</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>must be a list of %n outputs</source>
        <translation>
            <numerusform>musí být seznam %n výstupu</numerusform>
            <numerusform>musí být seznam %n výstupů</numerusform>
            <numerusform>musí být seznam %n výstupů</numerusform>
        </translation>
    </message>
    <message>
        <source>%1.phoneNumbers: a final &quot;.&quot; is removed when storing, as the editor does</source>
        <translation>%1.phoneNumbers: koncová „.“ se při ukládání odstraní, stejně jako v editoru</translation>
    </message>
</context>
<context>
    <name>ConfigSessionText</name>
    <message>
        <source>There is no configuration file to save into.</source>
        <translation>Není konfigurační soubor, do kterého by se dalo uložit.</translation>
    </message>
</context>
<context>
    <name>DialogText</name>
    <message>
        <source>Save As</source>
        <translation>Uložit jako</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otevřít</translation>
    </message>
    <message>
        <source>About Quillary</source>
        <translation>O programu Quillary</translation>
    </message>
    <message>
        <source>&lt;b&gt;Quillary&lt;/b&gt; %1&lt;br&gt;Configuration tool for the VELK-Ardo and VELK-Tisk GSM remote-control units.</source>
        <translation>&lt;b&gt;Quillary&lt;/b&gt; %1&lt;br&gt;Konfigurační nástroj pro jednotky dálkového ovládání GSM VELK-Ardo a VELK-Tisk.</translation>
    </message>
</context>
<context>
    <name>EditorText</name>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... a ještě %n další</numerusform>
            <numerusform>... a ještě %n další</numerusform>
            <numerusform>... a ještě %n dalších</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileCommandText</name>
    <message>
        <source>%1: no such file</source>
        <translation>%1: soubor neexistuje</translation>
    </message>
    <message>
        <source>%1: not a configuration file</source>
        <translation>%1: není konfigurační soubor</translation>
    </message>
    <message>
        <source>%1 exists already; --force replaces it</source>
        <translation>%1 již existuje; --force jej nahradí</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <translation>nelze zapisovat na standardní výstup: %1</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>History</source>
        <translation>Historie</translation>
    </message>
    <message>
        <source>&amp;Unit:</source>
        <translation>&amp;Jednotka:</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Záznamy</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Čas</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Druh</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Jednotka</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfigurace</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Výsledek</translation>
    </message>
    <message>
        <source>&amp;Open as configuration...</source>
        <translation>&amp;Otevřít jako konfiguraci...</translation>
    </message>
    <message>
        <source>&amp;Compare with current configuration</source>
        <translation>&amp;Porovnat s aktuální konfigurací</translation>
    </message>
    <message>
        <source>&amp;Restore to unit</source>
        <translation>&amp;Obnovit do jednotky</translation>
    </message>
    <message>
        <source>All units</source>
        <translation>Všechny jednotky</translation>
    </message>
    <message>
        <source>running</source>
        <translation>probíhá</translation>
    </message>
    <message>
        <source>The journal keeps no registers for this record.</source>
        <translation>Deník k tomuto záznamu nemá uložené registry.</translation>
    </message>
    <message>
        <source>The record&apos;s configuration equals the current configuration.</source>
        <translation>Konfigurace záznamu je stejná jako aktuální konfigurace.</translation>
    </message>
    <message>
        <source>These fields differ from the current configuration:
%1</source>
        <translation>Tato pole se liší od aktuální konfigurace:
%1</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Kdo</translation>
    </message>
    <message>
        <source>%1 (not yet shared)</source>
        <translation>%1 (dosud nesdíleno)</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 na %2</translation>
    </message>
</context>
<context>
    <name>HistoryText</name>
    <message>
        <source>running</source>
        <translation>probíhá</translation>
    </message>
    <message>
        <source>the journal %1 holds no record %2</source>
        <translation>deník %1 nemá záznam %2</translation>
    </message>
    <message>
        <source>Did not take: %1</source>
        <translation>Nezapsalo se: %1</translation>
    </message>
    <message>
        <source>Written by %1 on %2 with Quillary %3</source>
        <translation>Zapsal %1 na %2 programem Quillary %3</translation>
    </message>
    <message>
        <source>What was written equals the backup.</source>
        <translation>Zapsaná konfigurace je stejná jako záloha.</translation>
    </message>
    <message>
        <source>Changed against the backup: %1</source>
        <translation>Změněno oproti záloze: %1</translation>
    </message>
    <message>
        <source>the record %1 keeps no image of what was written</source>
        <translation>záznam %1 nemá uloženo, co bylo zapsáno</translation>
    </message>
    <message>
        <source>the record %1 keeps no backup; --written exports what was written</source>
        <translation>záznam %1 nemá zálohu; --written vyexportuje, co bylo zapsáno</translation>
    </message>
    <message>
        <source>the record %1 keeps no backup to restore</source>
        <translation>záznam %1 nemá zálohu k obnovení</translation>
    </message>
    <message>
        <source>the journal knows of no write into the unit on %1</source>
        <translation>deník nezná žádný zápis do jednotky na %1</translation>
    </message>
    <message>
        <source>The unit holds what was written into it on %1 (%2).</source>
        <translation>Jednotka obsahuje, co do ní bylo zapsáno %1 (%2).</translation>
    </message>
    <message>
        <source>The unit differs from what was written into it on %1 (%2):</source>
        <translation>Jednotka se liší od toho, co do ní bylo zapsáno %1 (%2):</translation>
    </message>
    <message>
        <source>registers %1</source>
        <translation>registry %1</translation>
    </message>
    <message>
        <source>(not yet shared)</source>
        <translation>(dosud nesdíleno)</translation>
    </message>
    <message>
        <source>no team database is set: give --journal URL or set History/Database in ~/.config/quillary.ini</source>
        <translation>není nastavena týmová databáze: zadejte --journal URL nebo nastavte History/Database v ~/.config/quillary.ini</translation>
    </message>
    <message>
        <source>1 record not yet shared; it goes out at the next chance (quillary-cli history sync).</source>
        <translation>Záznamy dosud nesdílené: 1; odejde při nejbližší příležitosti (quillary-cli history sync).</translation>
    </message>
    <message numerus="yes">
        <source>%n records not yet shared; they go out at the next chance (quillary-cli history sync).</source>
        <translation>
            <numerusform>Záznamy dosud nesdílené: %n; odejdou při nejbližší příležitosti (quillary-cli history sync).</numerusform>
            <numerusform>Záznamy dosud nesdílené: %n; odejdou při nejbližší příležitosti (quillary-cli history sync).</numerusform>
            <numerusform>Záznamy dosud nesdílené: %n; odejdou při nejbližší příležitosti (quillary-cli history sync).</numerusform>
        </translation>
    </message>
    <message>
        <source>Sent 1 record, received %1.</source>
        <translation>Odesláno záznamů: 1, přijato: %1.</translation>
    </message>
    <message numerus="yes">
        <source>Sent %n records, received %1.</source>
        <translation>
            <numerusform>Odesláno záznamů: %n, přijato: %1.</numerusform>
            <numerusform>Odesláno záznamů: %n, přijato: %1.</numerusform>
            <numerusform>Odesláno záznamů: %n, přijato: %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>1 record not yet shared.</source>
        <translation>Záznamy dosud nesdílené: 1.</translation>
    </message>
    <message numerus="yes">
        <source>%n records not yet shared.</source>
        <translation>
            <numerusform>Záznamy dosud nesdílené: %n.</numerusform>
            <numerusform>Záznamy dosud nesdílené: %n.</numerusform>
            <numerusform>Záznamy dosud nesdílené: %n.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JournalText</name>
    <message>
        <source>The journal %1 cannot be opened: %2</source>
        <translation>Deník %1 nelze otevřít: %2</translation>
    </message>
    <message>
        <source>The journal %1 cannot be written: %2</source>
        <translation>Do deníku %1 nelze zapisovat: %2</translation>
    </message>
    <message>
        <source>The journal %1 cannot be created: %2</source>
        <translation>Deník %1 nelze vytvořit: %2</translation>
    </message>
    <message>
        <source>The journal %1 is a symbolic link; Quillary never writes through a link. Remove the link or put the file itself in its place.</source>
        <translation>Deník %1 je symbolický odkaz; Quillary nikdy nezapisuje přes odkaz. Odstraňte odkaz, nebo na jeho místo dejte samotný soubor.</translation>
    </message>
    <message>
        <source>The journal %1 is not a regular file (a folder, FIFO or device is in its place). Move it aside and Quillary starts a new journal.</source>
        <translation>Deník %1 není obyčejný soubor (na jeho místě je složka, FIFO nebo zařízení). Přesuňte jej jinam a Quillary založí nový deník.</translation>
    </message>
    <message>
        <source>The journal %1 cannot be read: file is not a database (it may be damaged). It was left as it is: move it aside and Quillary starts a new journal.</source>
        <translation>Deník %1 nelze číst: soubor není databáze (může být poškozený). Zůstal beze změny: přesuňte jej jinam a Quillary založí nový deník.</translation>
    </message>
    <message>
        <source>The journal %1 cannot be opened: %2 is not a regular file. Remove it; Quillary never writes through a link.</source>
        <translation>Deník %1 nelze otevřít: %2 není obyčejný soubor. Odstraňte jej; Quillary nikdy nezapisuje přes odkaz.</translation>
    </message>
    <message>
        <source>its folder %1 cannot be written (%2)</source>
        <translation>do jeho složky %1 nelze zapisovat (%2)</translation>
    </message>
    <message>
        <source>The journal %1 is a database, but not Quillary&apos;s journal. It was left as it is.</source>
        <translation>Deník %1 je databáze, ale ne deník programu Quillary. Zůstal beze změny.</translation>
    </message>
    <message>
        <source>The journal %1 was made by a newer version of Quillary (journal version %2; this version knows up to %3). It was left as it is.</source>
        <translation>Deník %1 vytvořila novější verze programu Quillary (verze deníku %2; tato verze zná nejvýše %3). Zůstal beze změny.</translation>
    </message>
    <message>
        <source>The folder %1 for the journal cannot be created: %2</source>
        <translation>Složku %1 pro deník nelze vytvořit: %2</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver is missing (install the package libqt6sql6-sqlite).</source>
        <translation>Chybí ovladač SQLite pro Qt (nainstalujte balíček libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>the record has no id</source>
        <translation>záznam nemá identifikátor</translation>
    </message>
</context>
<context>
    <name>JsonCommandText</name>
    <message>
        <source>%1: not a regular file</source>
        <translation>%1: nejde o běžný soubor</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>nelze přečíst %1: %2</translation>
    </message>
    <message>
        <source>%1: larger than 1 MiB, not a configuration</source>
        <translation>%1: větší než 1 MiB, nejde o konfiguraci</translation>
    </message>
    <message>
        <source>quillary-cli: warning: %1: %2</source>
        <translation>quillary-cli: varování: %1: %2</translation>
    </message>
</context>
<context>
    <name>LinkApiText</name>
    <message>
        <source>No serial device was found for the port %1: is the unit plugged in?</source>
        <translation>Pro port %1 nebylo nalezeno žádné sériové zařízení: je jednotka připojena?</translation>
    </message>
    <message>
        <source>The device %1 does not exist: is the unit plugged in?</source>
        <translation>Zařízení %1 neexistuje: je jednotka připojena?</translation>
    </message>
    <message>
        <source>You may not open %1: ask the administrator for access to it.</source>
        <translation>Nemáte oprávnění otevřít %1: požádejte správce o přístup.</translation>
    </message>
    <message>
        <source>You may not open %1: add your user to the group %2 and log in again.</source>
        <translation>Nemáte oprávnění otevřít %1: přidejte svého uživatele do skupiny %2 a znovu se přihlaste.</translation>
    </message>
    <message>
        <source>The port %1 is in use by another program.</source>
        <translation>Port %1 používá jiný program.</translation>
    </message>
    <message>
        <source>%1 is not a serial port.</source>
        <translation>%1 není sériový port.</translation>
    </message>
    <message>
        <source>COM%1 (%2) has no serial port on this computer</source>
        <translation>COM%1 (%2) nemá na tomto počítači žádný sériový port</translation>
    </message>
    <message>
        <source>%1 has no serial port behind it.</source>
        <translation>Za %1 není žádný sériový port.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>%1 nelze otevřít: %2.</translation>
    </message>
    <message>
        <source>ModemManager probes USB serial devices for modems and so keeps the unit&apos;s port. To keep it away from the unit, write this line into /etc/udev/rules.d/99-velk-unit.rules, with VVVV and PPPP the ID_VENDOR_ID and ID_MODEL_ID that &quot;udevadm info %1&quot; shows:</source>
        <translation>ModemManager zkouší na sériových zařízeních USB hledat modemy, a tak drží port jednotky. Aby jednotku nechal na pokoji, zapište tento řádek do /etc/udev/rules.d/99-velk-unit.rules, kde VVVV a PPPP jsou hodnoty ID_VENDOR_ID a ID_MODEL_ID, které ukáže „udevadm info %1“:</translation>
    </message>
    <message>
        <source>Then run &quot;sudo udevadm control --reload&quot; and plug the unit in again.</source>
        <translation>Potom spusťte „sudo udevadm control --reload“ a jednotku znovu připojte.</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>proces %1</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (proces %2)</translation>
    </message>
    <message>
        <source>The port %1 is in use by %2.</source>
        <translation>Port %1 používá %2.</translation>
    </message>
</context>
<context>
    <name>ListPage</name>
    <message>
        <source>Are you sure you want to delete the selected item ?</source>
        <translation>Opravdu chcete smazat vybranou položku?</translation>
    </message>
</context>
<context>
    <name>MailSettingsDlgText</name>
    <message>
        <source>Mail settings</source>
        <translation>Nastavení pošty</translation>
    </message>
    <message>
        <source>&amp;Server URL:</source>
        <translation>Adresa &amp;serveru:</translation>
    </message>
    <message>
        <source>S&amp;ender address:</source>
        <translation>Adresa &amp;odesílatele:</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Uživatelské jméno:</translation>
    </message>
    <message>
        <source>The sender address &quot;%1&quot; is not an e-mail address.</source>
        <translation>Adresa odesílatele „%1“ není e-mailová adresa.</translation>
    </message>
    <message>
        <source>The password is read from ~/.netrc (a line &quot;machine HOST login USER password SECRET&quot;); Quillary does not store it. On smtp:// the connection must switch to TLS unless the server is this computer.</source>
        <translation>Heslo se čte ze souboru ~/.netrc (řádek „machine HOST login USER password SECRET“); Quillary je neukládá. U smtp:// musí spojení přejít na TLS, pokud server neběží na tomto počítači.</translation>
    </message>
    <message>
        <source>The server URL must begin with smtp:// or smtps://, for example smtps://mail.example.com:465.</source>
        <translation>Adresa serveru musí začínat smtp:// nebo smtps://, například smtps://mail.example.com:465.</translation>
    </message>
</context>
<context>
    <name>MainText</name>
    <message>
        <source>quillary-cli ports lists the serial devices; --port picks one.</source>
        <translation>quillary-cli ports vypíše sériová zařízení; --port jedno z nich vybere.</translation>
    </message>
    <message>
        <source>--port takes USB, COM1 to COM4 or a device path, not &quot;%1&quot;</source>
        <translation>--port očekává USB, COM1 až COM4 nebo cestu k zařízení, ne „%1“</translation>
    </message>
    <message>
        <source>Quillary on the command line: shows, converts and compares configuration
files (*.QRB) and writes them into a VELK unit, reads a unit back and sets
its clock; makes voice messages from sound files or text.</source>
        <translation>Quillary na příkazové řádce: zobrazuje, převádí a porovnává konfigurační
soubory (*.QRB) a zapisuje je do jednotky VELK, čte jednotku zpět a
nastavuje její hodiny; vytváří hlasové zprávy ze zvukových souborů nebo
z textu.</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>Použití</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>VOLBY</translation>
    </message>
    <message>
        <source>SUBCOMMAND</source>
        <translation>PŘÍKAZ</translation>
    </message>
    <message>
        <source>SUBCOMMANDS</source>
        <translation>PŘÍKAZY</translation>
    </message>
    <message>
        <source>Positionals</source>
        <translation>Argumenty</translation>
    </message>
    <message>
        <source>REQUIRED</source>
        <translation>POVINNÉ</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>INT:POSITIVE</source>
        <translation>ČÍSLO:KLADNÉ</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Volby</translation>
    </message>
    <message>
        <source>Subcommands</source>
        <translation>Příkazy</translation>
    </message>
    <message>
        <source>Print this help message and exit</source>
        <translation>Vypsat tuto nápovědu a skončit</translation>
    </message>
    <message>
        <source>Display program version information and exit</source>
        <translation>Vypsat verzi programu a skončit</translation>
    </message>
    <message>
        <source>USB, COM1 to COM4, or a serial device path</source>
        <translation>USB, COM1 až COM4 nebo cesta k sériovému zařízení</translation>
    </message>
    <message>
        <source>Print a configuration&apos;s listing, or with --json all of it as JSON</source>
        <translation>Vypsat výpis konfigurace, s --json celou jako JSON</translation>
    </message>
    <message>
        <source>configuration file (*.QRB)</source>
        <translation>konfigurační soubor (*.QRB)</translation>
    </message>
    <message>
        <source>JSON with named fields instead of the listing</source>
        <translation>JSON s pojmenovanými poli místo výpisu</translation>
    </message>
    <message>
        <source>Make a configuration file from JSON as show --json prints it</source>
        <translation>Vytvořit konfigurační soubor z JSON, jak jej vypisuje show --json</translation>
    </message>
    <message>
        <source>the configuration as JSON</source>
        <translation>konfigurace jako JSON</translation>
    </message>
    <message>
        <source>configuration file to write (*.QRB)</source>
        <translation>konfigurační soubor k zapsání (*.QRB)</translation>
    </message>
    <message>
        <source>replace OUT when it exists</source>
        <translation>nahradit OUT, pokud existuje</translation>
    </message>
    <message>
        <source>refuse values the configuration editor would refuse</source>
        <translation>odmítnout hodnoty, které by odmítl konfigurační editor</translation>
    </message>
    <message>
        <source>List the differences of two configuration files by field name</source>
        <translation>Vypsat rozdíly dvou konfiguračních souborů podle názvů polí</translation>
    </message>
    <message>
        <source>Find phone numbers, SMS texts and voice messages the unit would use wrongly</source>
        <translation>Najít telefonní čísla, texty SMS a hlasové zprávy, které by jednotka použila chybně</translation>
    </message>
    <message>
        <source>country of national numbers (CZ); else the desktop&apos;s</source>
        <translation>země národních čísel (CZ); jinak podle pracovního prostředí</translation>
    </message>
    <message>
        <source>findings and SMS counts as JSON</source>
        <translation>nálezy a počty SMS jako JSON</translation>
    </message>
    <message>
        <source>Write a configuration file (and its voice messages) into the unit</source>
        <translation>Zapsat konfigurační soubor (a jeho hlasové zprávy) do jednotky</translation>
    </message>
    <message>
        <source>also send the voice messages the configuration switches on</source>
        <translation>poslat také hlasové zprávy, které konfigurace zapíná</translation>
    </message>
    <message>
        <source>read the 87 registers back and name every one that differs</source>
        <translation>přečíst 87 registrů zpět a jmenovat každý, který se liší</translation>
    </message>
    <message>
        <source>run check first; write nothing on an error</source>
        <translation>nejprve spustit check; při chybě nic nezapisovat</translation>
    </message>
    <message>
        <source>the region for --check</source>
        <translation>oblast pro --check</translation>
    </message>
    <message>
        <source>first keep the unit&apos;s registers as DIR/&lt;serial&gt;-&lt;time&gt;.QRB</source>
        <translation>nejprve uschovat registry jednotky jako DIR/&lt;serial&gt;-&lt;time&gt;.QRB</translation>
    </message>
    <message>
        <source>Read the unit into a configuration file</source>
        <translation>Přečíst jednotku do konfiguračního souboru</translation>
    </message>
    <message>
        <source>Set the unit&apos;s clock to this computer&apos;s local time</source>
        <translation>Nastavit hodiny jednotky na místní čas tohoto počítače</translation>
    </message>
    <message>
        <source>List the serial devices attached and the --port value of each</source>
        <translation>Vypsat připojená sériová zařízení a hodnotu --port každého z nich</translation>
    </message>
    <message>
        <source>the list as JSON</source>
        <translation>seznam jako JSON</translation>
    </message>
    <message>
        <source>Write a configuration into one unit after another as they are plugged in</source>
        <translation>Zapisovat konfiguraci do jednotky za jednotkou, jak jsou připojovány</translation>
    </message>
    <message>
        <source>also send the voice messages</source>
        <translation>poslat také hlasové zprávy</translation>
    </message>
    <message>
        <source>append one JSON line per unit to FILE</source>
        <translation>připojit do FILE jeden řádek JSON za každou jednotku</translation>
    </message>
    <message>
        <source>stop after N units (default: Ctrl-C)</source>
        <translation>skončit po N jednotkách (jinak: Ctrl-C)</translation>
    </message>
    <message>
        <source>first keep each unit&apos;s registers as DIR/&lt;serial&gt;-&lt;time&gt;.QRB</source>
        <translation>nejprve uschovat registry každé jednotky jako DIR/&lt;serial&gt;-&lt;time&gt;.QRB</translation>
    </message>
    <message>
        <source>Make voice messages from sound files or text, and list them</source>
        <translation>Vytvářet hlasové zprávy ze zvukových souborů nebo z textu a vypsat je</translation>
    </message>
    <message>
        <source>H01..H16, L01..L16, SelectOutput or SelectOnOff (any case)</source>
        <translation>H01..H16, L01..L16, SelectOutput nebo SelectOnOff (na velikosti písmen nezáleží)</translation>
    </message>
    <message>
        <source>Make MESSAGE&apos;s recording from a WAV, FLAC, Ogg Vorbis, Opus or MP3 file</source>
        <translation>Vytvořit nahrávku MESSAGE ze souboru WAV, FLAC, Ogg Vorbis, Opus nebo MP3</translation>
    </message>
    <message>
        <source>the sound file</source>
        <translation>zvukový soubor</translation>
    </message>
    <message>
        <source>4000 samples a second instead of 8000</source>
        <translation>4000 vzorků za sekundu místo 8000</translation>
    </message>
    <message>
        <source>Make MESSAGE&apos;s recording by speaking the input&apos;s high or low text</source>
        <translation>Vytvořit nahrávku MESSAGE vyslovením textu vstupu pro sepnutí nebo rozepnutí</translation>
    </message>
    <message>
        <source>the text to speak instead (needed for the prompts)</source>
        <translation>text k vyslovení místo toho (nutný pro výzvy)</translation>
    </message>
    <message>
        <source>espeak-ng voice such as en, de, cs; else VoiceRecorder/Language, else the desktop&apos;s language</source>
        <translation>hlas espeak-ng, např. en, de, cs; jinak VoiceRecorder/Language, jinak jazyk pracovního prostředí</translation>
    </message>
    <message>
        <source>List the 34 messages and what Transfer to unit would send</source>
        <translation>Vypsat 34 zpráv a co by poslalo „Zapsat do jednotky“</translation>
    </message>
    <message>
        <source>as JSON</source>
        <translation>jako JSON</translation>
    </message>
    <message>
        <source>A subcommand is required</source>
        <translation>Je třeba zadat příkaz</translation>
    </message>
    <message>
        <source>%1 is required</source>
        <translation>%1 je povinné</translation>
    </message>
    <message>
        <source>The following arguments were not expected: %1</source>
        <translation>Tyto argumenty nebyly očekávány: %1</translation>
    </message>
    <message>
        <source>The following argument was not expected: %1</source>
        <translation>Tento argument nebyl očekáván: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n required %2 missing</source>
        <translation>
            <numerusform>%1: chybí %n povinná hodnota %2</numerusform>
            <numerusform>%1: chybí %n povinné hodnoty %2</numerusform>
            <numerusform>%1: chybí %n povinných hodnot %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Run with %1 for more information.</source>
        <translation>Více informací vypíše %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number of 1 or more</source>
        <translation>„%1“ není celé číslo od 1 výše</translation>
    </message>
    <message>
        <source>The exit status, the port, JSON and voice messages: quillary-cli --help</source>
        <translation>Návratové kódy, port, JSON a hlasové zprávy: quillary-cli --help</translation>
    </message>
    <message>
        <source>neither read the unit first as a backup nor read it back after</source>
        <translation>nečíst jednotku předem jako zálohu ani ji potom nečíst zpět</translation>
    </message>
    <message>
        <source>write even when the journal cannot be written</source>
        <translation>zapsat, i když do deníku nelze zapisovat</translation>
    </message>
    <message>
        <source>read even when the journal cannot be written</source>
        <translation>číst, i když do deníku nelze zapisovat</translation>
    </message>
    <message>
        <source>List the journal&apos;s records of writes, restores and reads, newest first</source>
        <translation>Vypsat záznamy deníku o zápisech, obnoveních a čteních, nejnovější první</translation>
    </message>
    <message>
        <source>only this unit: serial number or device</source>
        <translation>jen tato jednotka: sériové číslo nebo zařízení</translation>
    </message>
    <message>
        <source>at most N records</source>
        <translation>nejvýše N záznamů</translation>
    </message>
    <message>
        <source>Show one record and the fields it changed against its backup</source>
        <translation>Zobrazit jeden záznam a pole, která změnil oproti záloze</translation>
    </message>
    <message>
        <source>the record&apos;s id</source>
        <translation>id záznamu</translation>
    </message>
    <message>
        <source>Save a record&apos;s backup (or what it wrote) as a configuration file</source>
        <translation>Uložit zálohu záznamu (nebo co zapsal) jako konfigurační soubor</translation>
    </message>
    <message>
        <source>what was written instead of the backup</source>
        <translation>místo zálohy to, co bylo zapsáno</translation>
    </message>
    <message>
        <source>replace FILE when it exists</source>
        <translation>nahradit FILE, pokud existuje</translation>
    </message>
    <message>
        <source>Write a record&apos;s backup back into the unit attached</source>
        <translation>Zapsat zálohu záznamu zpět do připojené jednotky</translation>
    </message>
    <message>
        <source>Compare the unit with what the journal says was last written into it</source>
        <translation>Porovnat jednotku s tím, co do ní bylo podle deníku naposledy zapsáno</translation>
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
        <translation>Návratový kód: 0 úspěch, 1 selhala jednotka nebo spojení (diff: soubory
se liší; check: nálezy; write --check: nalezena chyba, nic nezapsáno;
provision: některá jednotka selhala), 2 chybné použití (voice speak: také
není co vyslovit nebo chybí hlas espeak-ng pro daný jazyk), 3 soubor nelze
přečíst nebo zapsat (voice import a speak: také nejde o zvuk, je tichý
nebo delší než hlasová paměť jednotky).

Port je --port, jinak nastavení Options/COMPORT v profilu programu
(~/.config/quillary.ini: 0 pro USB, n pro COMn). Proměnná prostředí
QUILLARY_LINK_DEVICE, je-li nastavena, určuje sériové zařízení bez ohledu
na profil; --port zadaný na příkazové řádce má přednost před ní. USB je
zařízení zvolené v Nastavení (Options/Device), jinak jediné připojené
sériové zařízení USB; ports je vypíše s hodnotou --port každého z nich.

--journal URL, jinak nastavení History/Database, určuje deník týmu na
serveru PostgreSQL (postgresql://UŽIVATEL@HOSTITEL[:PORT]/DATABÁZE; heslo
v ~/.pgpass). Každý záznam se nejprve uloží v tomto počítači a odešle se,
když jeho příkaz skončí; záznamy týmu se načtou před history, restore a
audit. Nedostupný server je upozornění, ne selhání: záznamy počkají na
další příležitost (history sync).

show --json zapisuje texty jako znaky kódové stránky 1252 bajtů registrů
a pod &quot;extra&quot; to, co žádné pole neukazuje (registr 86, bajty za koncem
textu, zápis jako &quot;0250&quot;), takže import vrátí každý soubor bajt po bajtu.
import jménem odmítne, co registr nepojme (text delší než 255 znaků, nulový
znak, znak mimo kódovou stránku 1252, příznak jiný než true/false, typ jiný
než &quot;Normal&quot; nebo &quot;Pulse&quot;). Co by konfigurační editor odmítl (jeho délky
textů, délku impulsu mimo %1 až %2), importuje s varováním; s --strict to
odmítne také (kód 3, nic nezapsáno). import a read nikdy nenahradí
existující soubor bez --force. read zapíše svůj soubor jen z úplného čtení.

voice import FILE MESSAGE AUDIO a voice speak FILE MESSAGE [--text TEXT]
[--language CODE] zapíší nahrávku MESSAGE (H01..H16, L01..L16,
SelectOutput, SelectOnOff) vedle FILE, jako Site_H03.WAV pro Site.QRB, ve
formátu jednotky (8000 vzorků za sekundu, 4000 s --low-quality), bez ticha
a se srovnanou hlasitostí; při selhání zůstane dřívější nahrávka, jak byla.
speak vysloví text vstupu pro sepnutí nebo rozepnutí, není-li zadán --text.
voice list FILE [--json] vypíše 34 zpráv a co by „Zapsat do jednotky“
poslalo proti 540 672 bajtům jednotky.</translation>
    </message>
    <message>
        <source>the team&apos;s journal: postgresql://USER@HOST[:PORT]/DATABASE</source>
        <translation>deník týmu: postgresql://UŽIVATEL@HOSTITEL[:PORT]/DATABÁZE</translation>
    </message>
    <message>
        <source>only the records made on this computer</source>
        <translation>jen záznamy pořízené na tomto počítači</translation>
    </message>
    <message>
        <source>Send the records not yet shared to the team database and fetch the team&apos;s</source>
        <translation>Odeslat dosud nesdílené záznamy do týmové databáze a načíst záznamy týmu</translation>
    </message>
</context>
<context>
    <name>PortsText</name>
    <message>
        <source>No serial device is attached.</source>
        <translation>Není připojeno žádné sériové zařízení.</translation>
    </message>
</context>
<context>
    <name>ProvisionText</name>
    <message>
        <source>no backup, nothing written: </source>
        <translation>bez zálohy, nic nezapsáno: </translation>
    </message>
    <message>
        <source>; nothing written</source>
        <translation>; nic nezapsáno</translation>
    </message>
    <message>
        <source>reading back: </source>
        <translation>zpětné čtení: </translation>
    </message>
    <message>
        <source>registers differ after writing</source>
        <translation>registry se po zápisu liší</translation>
    </message>
    <message>
        <source>cannot watch for USB serial devices coming and going (is udev running?); write the units one by one with write</source>
        <translation>nelze sledovat připojování a odpojování sériových zařízení USB (běží udev?); zapisujte jednotky jednu po druhé příkazem write</translation>
    </message>
    <message>
        <source>Left alone (attached before the start): %1</source>
        <translation>Ponecháno beze změny (připojeno před spuštěním): %1</translation>
    </message>
    <message>
        <source>Plug in unit %1 (Ctrl-C ends)...</source>
        <translation>Připojte jednotku %1 (Ctrl-C ukončí)...</translation>
    </message>
    <message>
        <source>Writing %1 into %2</source>
        <translation>Zapisuje se %1 do %2</translation>
    </message>
    <message>
        <source>Unit %1 (%2): written and verified</source>
        <translation>Jednotka %1 (%2): zapsána a ověřena</translation>
    </message>
    <message>
        <source>unit %1 (%2) failed: %3</source>
        <translation>jednotka %1 (%2) selhala: %3</translation>
    </message>
    <message>
        <source>; stopping</source>
        <translation>; končím</translation>
    </message>
    <message>
        <source>Stopped by Ctrl-C.</source>
        <translation>Zastaveno klávesami Ctrl-C.</translation>
    </message>
    <message>
        <source>Unplug the unit from %1.</source>
        <translation>Odpojte jednotku od %1.</translation>
    </message>
    <message numerus="yes">
        <source>%n unit(s) provisioned: %1 succeeded, %2 failed.</source>
        <translation>
            <numerusform>%n jednotka zapsána: %1 úspěšně, %2 neúspěšně.</numerusform>
            <numerusform>%n jednotky zapsány: %1 úspěšně, %2 neúspěšně.</numerusform>
            <numerusform>%n jednotek zapsáno: %1 úspěšně, %2 neúspěšně.</numerusform>
        </translation>
    </message>
    <message>
        <source>  failed: </source>
        <translation>  selhalo: </translation>
    </message>
</context>
<context>
    <name>QtAudioDevice</name>
    <message>
        <source>The audio device could not be opened: it is busy or refuses the recording format.</source>
        <translation>Zvukové zařízení nelze otevřít: je obsazené nebo odmítá formát nahrávky.</translation>
    </message>
    <message>
        <source>The audio device stopped delivering or taking sound.</source>
        <translation>Zvukové zařízení přestalo zvuk dodávat nebo přijímat.</translation>
    </message>
    <message>
        <source>The audio device ran out of sound data.</source>
        <translation>Zvukovému zařízení došla zvuková data.</translation>
    </message>
    <message>
        <source>The audio device failed and cannot be used.</source>
        <translation>Zvukové zařízení selhalo a nelze je použít.</translation>
    </message>
    <message>
        <source>The audio device could not be started.</source>
        <translation>Zvukové zařízení nelze spustit.</translation>
    </message>
    <message>
        <source>No sound input is available: there is no sound card or sound server to record from.</source>
        <translation>Není k dispozici žádný zvukový vstup: chybí zvuková karta nebo zvukový server, ze kterého by šlo nahrávat.</translation>
    </message>
    <message>
        <source>The sound input %1 offers no format that can be recorded.</source>
        <translation>Zvukový vstup %1 nenabízí žádný formát, který lze nahrávat.</translation>
    </message>
    <message>
        <source>No sound output is available: there is no sound card or sound server to play on.</source>
        <translation>Není k dispozici žádný zvukový výstup: chybí zvuková karta nebo zvukový server, na kterém by šlo přehrávat.</translation>
    </message>
    <message>
        <source>The sound output %1 offers no format that can be played.</source>
        <translation>Zvukový výstup %1 nenabízí žádný formát, který lze přehrát.</translation>
    </message>
</context>
<context>
    <name>RecentFilesText</name>
    <message>
        <source>The configuration file &quot;%1&quot; no longer exists. It has been taken off the Recent menu.</source>
        <translation>Konfigurační soubor „%1“ už neexistuje. Byl odebrán z nabídky Nedávné.</translation>
    </message>
</context>
<context>
    <name>ReportText</name>
    <message>
        <source>Configuration has been printed</source>
        <translation>Konfigurace byla vytištěna</translation>
    </message>
    <message>
        <source>Configuration could NOT be printed due to an error !</source>
        <translation>Konfiguraci se kvůli chybě NEPODAŘILO vytisknout!</translation>
    </message>
    <message>
        <source>Configuration for &lt;%1&gt;</source>
        <translation>Konfigurace pro &lt;%1&gt;</translation>
    </message>
    <message>
        <source> Configuration for &quot;%1&quot;</source>
        <translation> Konfigurace pro „%1“</translation>
    </message>
    <message>
        <source> Printed %1</source>
        <translation> Vytištěno %1</translation>
    </message>
    <message>
        <source>List of allowed phonenumbers:</source>
        <translation>Seznam povolených telefonních čísel:</translation>
    </message>
    <message>
        <source>Clear allowed phonenumber list:</source>
        <translation>Vymazání seznamu povolených čísel:</translation>
    </message>
    <message>
        <source>Length of pulse on pulsed outputs (in mSec):</source>
        <translation>Délka pulzu na pulzních výstupech (v ms):</translation>
    </message>
    <message>
        <source>Configuration for inputs:</source>
        <translation>Konfigurace vstupů:</translation>
    </message>
    <message>
        <source>Input: %1</source>
        <translation>Vstup: %1</translation>
    </message>
    <message>
        <source>  Phonenumbers: </source>
        <translation>  Telefonní čísla: </translation>
    </message>
    <message>
        <source>  Hightext: </source>
        <translation>  Text sepnutí:   </translation>
    </message>
    <message>
        <source>  Lowtext:  </source>
        <translation>  Text rozepnutí: </translation>
    </message>
    <message>
        <source>Configuration for outputs:</source>
        <translation>Konfigurace výstupů:</translation>
    </message>
    <message>
        <source>Output: %1 Type: %2</source>
        <translation>Výstup: %1 Typ: %2</translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation>Pulzní</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normální</translation>
    </message>
</context>
<context>
    <name>SafeWriteText</name>
    <message>
        <source>Nothing was sent to the unit.</source>
        <translation>Do jednotky nebylo nic odesláno.</translation>
    </message>
    <message>
        <source>Reading the unit&apos;s configuration as a backup</source>
        <translation>Čtení konfigurace jednotky jako zálohy</translation>
    </message>
    <message>
        <source>reading the backup</source>
        <translation>čtení zálohy</translation>
    </message>
    <message>
        <source>Nothing was written to the unit.</source>
        <translation>Do jednotky nebylo nic zapsáno.</translation>
    </message>
    <message>
        <source>keeping the backup</source>
        <translation>uložení zálohy</translation>
    </message>
    <message>
        <source>Writing the configuration into the unit</source>
        <translation>Zápis konfigurace do jednotky</translation>
    </message>
    <message>
        <source>The unit may hold part of the new configuration; its previous configuration is kept in the journal.</source>
        <translation>Jednotka může obsahovat část nové konfigurace; její předchozí konfigurace je uložena v deníku.</translation>
    </message>
    <message>
        <source>Write the previous configuration back into the unit now?</source>
        <translation>Zapsat teď předchozí konfiguraci zpět do jednotky?</translation>
    </message>
    <message>
        <source>Reading the configuration back from the unit</source>
        <translation>Zpětné čtení konfigurace z jednotky</translation>
    </message>
    <message>
        <source>the read-back</source>
        <translation>zpětné čtení</translation>
    </message>
    <message>
        <source>The configuration was written, but could not be read back to check it.</source>
        <translation>Konfigurace byla zapsána, ale nepodařilo se ji přečíst zpět a zkontrolovat.</translation>
    </message>
    <message>
        <source>registers %1</source>
        <translation>registry %1</translation>
    </message>
    <message>
        <source>The unit does not hold what was written. What did not take: %1.</source>
        <translation>Jednotka neobsahuje, co bylo zapsáno. Nezapsalo se: %1.</translation>
    </message>
    <message>
        <source>The last write into this unit, on %1, did not finish (%2). What the unit held before it is kept in the journal: choose it in History... and Restore to unit, or run quillary-cli restore %3.</source>
        <translation>Poslední zápis do této jednotky, %1, nebyl dokončen (%2). Co jednotka obsahovala předtím, je uloženo v deníku: vyberte záznam v Historie... a Obnovit do jednotky, nebo spusťte quillary-cli restore %3.</translation>
    </message>
    <message>
        <source>Nothing was read from the unit.</source>
        <translation>Z jednotky nebylo nic přečteno.</translation>
    </message>
    <message>
        <source>The journal keeps no backup for this record.</source>
        <translation>Deník k tomuto záznamu nemá zálohu.</translation>
    </message>
</context>
<context>
    <name>SendConfigCommandText</name>
    <message>
        <source>Configurationfile could not be sent using Email ! Please make sure that you have an Email program installed that supports MAPI.</source>
        <translation>Konfigurační soubor se nepodařilo odeslat e-mailem! Ověřte prosím, že máte nainstalovaný poštovní program, který podporuje MAPI.</translation>
    </message>
    <message>
        <source>Configurationfile has been sent !</source>
        <translation>Konfigurační soubor byl odeslán!</translation>
    </message>
    <message>
        <source>No mail server is set up: enter one under &quot;Mail settings...&quot;.</source>
        <translation>Není nastaven poštovní server: zadejte jej v „Nastavení pošty...“.</translation>
    </message>
    <message>
        <source>There is no configuration file to send. Please save the configuration first.</source>
        <translation>Není žádný konfigurační soubor k odeslání. Nejdříve prosím konfiguraci uložte.</translation>
    </message>
    <message>
        <source>The configuration could not be packed for sending; no e-mail was sent.

%1</source>
        <translation>Konfiguraci nebylo možné zabalit k odeslání; žádný e-mail nebyl odeslán.

%1</translation>
    </message>
</context>
<context>
    <name>SendConfigText</name>
    <message>
        <source>Configuration file for VELK-Ardo/VELK-Tisk module</source>
        <translation>Konfigurační soubor pro modul VELK-Ardo/VELK-Tisk</translation>
    </message>
    <message>
        <source>Configuration file is attached this email.</source>
        <translation>Konfigurační soubor je přiložen k tomuto e-mailu.</translation>
    </message>
    <message>
        <source>Send configuration using Email</source>
        <translation>Odeslat konfiguraci e-mailem</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informace</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Komu:</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Předmět:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Sending the configuration...</source>
        <translation>Odesílám konfiguraci...</translation>
    </message>
    <message>
        <source>Send configuration as EMail</source>
        <translation>Odeslat konfiguraci e-mailem</translation>
    </message>
    <message>
        <source>Mail settings...</source>
        <translation>Nastavení pošty...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
</context>
<context>
    <name>SerialDevicesText</name>
    <message>
        <source>The USB device chosen in Setup (%1) is not attached: plug it in, or choose another device in Setup.</source>
        <translation>Zařízení USB zvolené v Nastavení (%1) není připojeno: připojte je, nebo v Nastavení zvolte jiné zařízení.</translation>
    </message>
    <message>
        <source>No USB serial device is attached: plug the unit in.</source>
        <translation>Není připojeno žádné sériové zařízení USB: připojte jednotku.</translation>
    </message>
    <message>
        <source>Several USB serial devices are attached (%1): choose the unit&apos;s in Setup.</source>
        <translation>Je připojeno několik sériových zařízení USB (%1): v Nastavení zvolte to, ke kterému je připojena jednotka.</translation>
    </message>
</context>
<context>
    <name>SmtpTransportText</name>
    <message>
        <source>The mail server address &quot;%1&quot; holds a password. Quillary keeps no password: remove it from the address and put it in ~/.netrc (a line &quot;machine HOST login USER password SECRET&quot;).</source>
        <translation>Adresa poštovního serveru „%1“ obsahuje heslo. Quillary hesla neuchovává: odstraňte je z adresy a uložte do ~/.netrc (řádek „machine HOST login USER password SECRET“).</translation>
    </message>
    <message>
        <source>The sender address &quot;%1&quot; is not an e-mail address.</source>
        <translation>Adresa odesílatele „%1“ není e-mailová adresa.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address.</source>
        <translation>„%1“ není e-mailová adresa.</translation>
    </message>
    <message>
        <source>No recipient address was given.</source>
        <translation>Nebyla zadána adresa příjemce.</translation>
    </message>
    <message>
        <source>Not logged on to the mail server.</source>
        <translation>Nejste přihlášeni k poštovnímu serveru.</translation>
    </message>
    <message>
        <source>The attachment %1 cannot be read.</source>
        <translation>Přílohu %1 nelze přečíst.</translation>
    </message>
    <message>
        <source>The mail library could not be started.</source>
        <translation>Poštovní knihovnu nelze spustit.</translation>
    </message>
    <message>
        <source>The mail server answered: %1</source>
        <translation>Poštovní server odpověděl: %1</translation>
    </message>
    <message numerus="yes">
        <source>The mail server did not answer within %n seconds.</source>
        <translation>
            <numerusform>Poštovní server neodpověděl do %n sekundy.</numerusform>
            <numerusform>Poštovní server neodpověděl do %n sekund.</numerusform>
            <numerusform>Poštovní server neodpověděl do %n sekund.</numerusform>
        </translation>
    </message>
    <message>
        <source>The mail server &quot;%1&quot; is not an smtp:// or smtps:// address.</source>
        <translation>Poštovní server „%1“ nemá adresu smtp:// ani smtps://.</translation>
    </message>
</context>
<context>
    <name>SoundServer</name>
    <message>
        <source>The sound server does not answer, so nothing can be recorded or played: it is running but stopped or hung. Restart it (log out and in again, or run &quot;systemctl --user restart pipewire pipewire-pulse&quot; or &quot;systemctl --user restart pulseaudio&quot;) and try again.</source>
        <translation>Zvukový server neodpovídá, takže nelze nic nahrávat ani přehrávat: běží, ale je zastavený nebo zaseknutý. Spusťte jej znovu (odhlaste se a znovu přihlaste, nebo spusťte „systemctl --user restart pipewire pipewire-pulse“ či „systemctl --user restart pulseaudio“) a zkuste to znovu.</translation>
    </message>
</context>
<context>
    <name>StepNamingText</name>
    <message>
        <source>the link was not set up</source>
        <translation>spojení nebylo nastaveno</translation>
    </message>
    <message>
        <source>the link library refused an argument</source>
        <translation>knihovna spojení odmítla argument</translation>
    </message>
    <message>
        <source>the port&apos;s device cannot be found or opened</source>
        <translation>zařízení portu nelze najít nebo otevřít</translation>
    </message>
    <message>
        <source>the unit is not connected</source>
        <translation>jednotka není připojena</translation>
    </message>
    <message>
        <source>the unit did not answer in time</source>
        <translation>jednotka neodpověděla včas</translation>
    </message>
    <message>
        <source>the line failed or went away</source>
        <translation>linka selhala nebo zmizela</translation>
    </message>
    <message>
        <source>the unit&apos;s answers stayed garbled</source>
        <translation>odpovědi jednotky zůstaly poškozené</translation>
    </message>
    <message>
        <source>the unit is password protected</source>
        <translation>jednotka je chráněna heslem</translation>
    </message>
    <message>
        <source>the unit refused the request</source>
        <translation>jednotka požadavek odmítla</translation>
    </message>
    <message>
        <source>a voice file cannot be read</source>
        <translation>hlasový soubor nelze přečíst</translation>
    </message>
    <message>
        <source>the link library was not started</source>
        <translation>knihovna spojení nebyla spuštěna</translation>
    </message>
    <message>
        <source>the link library ran out of memory</source>
        <translation>knihovně spojení došla paměť</translation>
    </message>
    <message>
        <source>the link library failed inside</source>
        <translation>v knihovně spojení došlo k vnitřní chybě</translation>
    </message>
    <message>
        <source>the link library returned %1</source>
        <translation>knihovna spojení vrátila %1</translation>
    </message>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 selhalo: %2</translation>
    </message>
    <message>
        <source>connecting to the unit</source>
        <translation>připojování k jednotce</translation>
    </message>
    <message>
        <source>connecting to the unit on %1</source>
        <translation>připojování k jednotce na %1</translation>
    </message>
    <message>
        <source>asking the unit for its model</source>
        <translation>zjišťování modelu jednotky</translation>
    </message>
    <message>
        <source>preparing the transfer</source>
        <translation>příprava přenosu</translation>
    </message>
    <message>
        <source>writing register %1 of %2</source>
        <translation>zápis registru %1 z %2</translation>
    </message>
    <message>
        <source>writing register %1</source>
        <translation>zápis registru %1</translation>
    </message>
    <message>
        <source>reading register %1 of %2</source>
        <translation>čtení registru %1 z %2</translation>
    </message>
    <message>
        <source>reading register %1</source>
        <translation>čtení registru %1</translation>
    </message>
    <message>
        <source>finishing the transfer</source>
        <translation>dokončování přenosu</translation>
    </message>
    <message>
        <source>setting the clock</source>
        <translation>nastavování hodin</translation>
    </message>
    <message>
        <source>sending the voice files</source>
        <translation>odesílání hlasových souborů</translation>
    </message>
    <message>
        <source>sending voice file %1</source>
        <translation>odesílání hlasového souboru %1</translation>
    </message>
    <message>
        <source>sending voice file %1 (%2 of %3)</source>
        <translation>odesílání hlasového souboru %1 (%2 z %3)</translation>
    </message>
</context>
<context>
    <name>TeamJournalText</name>
    <message>
        <source>The team database %1 cannot be used: %2</source>
        <translation>Týmovou databázi %1 nelze použít: %2</translation>
    </message>
    <message>
        <source>its journal was made by a newer version of Quillary (version %1; this one knows up to %2)</source>
        <translation>její deník vytvořila novější verze programu Quillary (verze %1; tato zná nejvýše %2)</translation>
    </message>
    <message>
        <source>its journal tables are missing or old, and the role %1 may not make them (%2). The database&apos;s owner makes them with the script journal-postgresql.sql (in /usr/share/doc/quillary).</source>
        <translation>tabulky deníku chybí nebo jsou staré a role %1 je nesmí vytvořit (%2). Vlastník databáze je vytvoří skriptem journal-postgresql.sql (v /usr/share/doc/quillary).</translation>
    </message>
    <message>
        <source>The team database &quot;%1&quot; is not an address such as postgresql://installer@db.example.com/quillary.</source>
        <translation>Týmová databáze „%1“ není adresa jako postgresql://installer@db.example.com/quillary.</translation>
    </message>
    <message>
        <source>The team database address &quot;%1&quot; holds a password. Quillary keeps no password: remove it from the address and put it in ~/.pgpass (a line &quot;HOST:PORT:DATABASE:USER:SECRET&quot;, the file readable by you only).</source>
        <translation>Adresa týmové databáze „%1“ obsahuje heslo. Quillary žádné heslo neuchovává: odstraňte je z adresy a uložte do ~/.pgpass (řádek „HOSTITEL:PORT:DATABÁZE:UŽIVATEL:HESLO“, soubor čitelný jen pro vás).</translation>
    </message>
    <message>
        <source>The CA file &quot;%1&quot; for the team database has a &apos;;&apos; in its name; move it to a name without one.</source>
        <translation>Soubor certifikačních autorit „%1“ pro týmovou databázi má ve jméně „;“; přesuňte jej pod jméno bez něj.</translation>
    </message>
    <message>
        <source>Qt&apos;s PostgreSQL driver is missing (install the package libqt6sql6-psql).</source>
        <translation>Chybí ovladač PostgreSQL pro Qt (nainstalujte balíček libqt6sql6-psql).</translation>
    </message>
    <message>
        <source>the name %1 was not looked up within %2 s (the name server does not answer)</source>
        <translation>jméno %1 se nepodařilo vyhledat do %2 s (jmenný server neodpovídá)</translation>
    </message>
    <message>
        <source>the name %1 is not known (%2)</source>
        <translation>jméno %1 není známo (%2)</translation>
    </message>
</context>
<context>
    <name>UnitCommandsText</name>
    <message>
        <source>the unit could not be read back to verify</source>
        <translation>jednotku nešlo pro ověření zpětně přečíst</translation>
    </message>
    <message>
        <source>verify: the unit&apos;s register %1 differs from %2</source>
        <translation>ověření: registr %1 jednotky se liší od %2</translation>
    </message>
    <message>
        <source>verify: the unit&apos;s registers %1 differ from %2</source>
        <translation>ověření: registry %1 jednotky se liší od %2</translation>
    </message>
    <message>
        <source>Verified: the unit holds the 87 registers of %1</source>
        <translation>Ověřeno: jednotka obsahuje 87 registrů z %1</translation>
    </message>
    <message>
        <source>the unit could not be read for its backup; nothing was written to it</source>
        <translation>jednotku nešlo přečíst pro zálohu; nic do ní nebylo zapsáno</translation>
    </message>
    <message>
        <source>; nothing was written to the unit</source>
        <translation>; do jednotky nebylo nic zapsáno</translation>
    </message>
    <message>
        <source>Backup of the unit: %1</source>
        <translation>Záloha jednotky: %1</translation>
    </message>
    <message>
        <source>nothing was sent to the unit; --no-journal goes on without the journal</source>
        <translation>do jednotky nebylo nic odesláno; --no-journal pokračuje bez deníku</translation>
    </message>
    <message>
        <source>To write back what the unit held before: quillary-cli restore %1</source>
        <translation>Zápis předchozího obsahu jednotky zpět: quillary-cli restore %1</translation>
    </message>
</context>
<context>
    <name>UnitRecordsText</name>
    <message>
        <source>the backup folder %1 cannot be used: %2</source>
        <translation>složku pro zálohy %1 nelze použít: %2</translation>
    </message>
    <message>
        <source>the backup folder %1 is not a folder</source>
        <translation>složka pro zálohy %1 není složka</translation>
    </message>
    <message>
        <source>the backup folder %1 cannot be written to: %2</source>
        <translation>do složky pro zálohy %1 nelze zapisovat: %2</translation>
    </message>
    <message>
        <source>cannot write a backup in %1: %2</source>
        <translation>v %1 nelze zapsat zálohu: %2</translation>
    </message>
    <message>
        <source>cannot write the backup %1: %2</source>
        <translation>zálohu %1 nelze zapsat: %2</translation>
    </message>
    <message>
        <source>cannot find a free backup name for %1 in %2</source>
        <translation>pro %1 nelze v %2 najít volný název zálohy</translation>
    </message>
    <message>
        <source>the log %1 is not a regular file</source>
        <translation>protokol %1 není běžný soubor</translation>
    </message>
    <message>
        <source>the log %1 is a symbolic link; name the file itself</source>
        <translation>protokol %1 je symbolický odkaz; uveďte přímo soubor</translation>
    </message>
    <message>
        <source>cannot open the log %1: %2</source>
        <translation>protokol %1 nelze otevřít: %2</translation>
    </message>
    <message>
        <source>cannot write to the log %1: %2</source>
        <translation>do protokolu %1 nelze zapisovat: %2</translation>
    </message>
</context>
<context>
    <name>UnitTexts</name>
    <message>
        <source>The transfer is complete !</source>
        <translation>Přenos je dokončen!</translation>
    </message>
    <message>
        <source>Error communicating with unit !</source>
        <translation>Chyba při komunikaci s jednotkou!</translation>
    </message>
    <message>
        <source>You need to restart the program in order to make the changes take effect !</source>
        <translation>Aby se změny projevily, musíte program spustit znovu!</translation>
    </message>
    <message>
        <source>Clock has been set</source>
        <translation>Hodiny byly nastaveny</translation>
    </message>
    <message>
        <source>Unit is password protected</source>
        <translation>Jednotka je chráněna heslem</translation>
    </message>
    <message>
        <source>Do you also want to upload the voicemessages to the unit ?</source>
        <translation>Chcete do jednotky nahrát také hlasové zprávy?</translation>
    </message>
    <message>
        <source>One or more of the configured voicefiles does not exist !</source>
        <translation>Jeden nebo více nastavených hlasových souborů neexistuje!</translation>
    </message>
</context>
<context>
    <name>UploadText</name>
    <message>
        <source>it has grown beyond the unit&apos;s voice memory</source>
        <translation>zvětšil se nad kapacitu hlasové paměti jednotky</translation>
    </message>
    <message>
        <source>The voice file &quot;%1&quot; cannot be sent to the unit: %2.</source>
        <translation>Hlasový soubor „%1“ nelze poslat do jednotky: %2.</translation>
    </message>
    <message>
        <source>The voice file &quot;%1&quot; could not be copied for sending: %2.</source>
        <translation>Hlasový soubor „%1“ nelze zkopírovat k odeslání: %2.</translation>
    </message>
    <message>
        <source>No temporary folder could be made for the voice files: %1.</source>
        <translation>Pro hlasové soubory nelze vytvořit dočasnou složku: %1.</translation>
    </message>
</context>
<context>
    <name>VoiceCommandText</name>
    <message>
        <source>MESSAGE is H01 to H16, L01 to L16, SelectOutput or SelectOnOff, not &quot;%1&quot;</source>
        <translation>MESSAGE je H01 až H16, L01 až L16, SelectOutput nebo SelectOnOff, ne „%1“</translation>
    </message>
    <message>
        <source>%1: %2 seconds, %L3 bytes at %L4 samples a second</source>
        <translation>%1: %2 s, %L3 bajtů při %L4 vzorcích za sekundu</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ano</translation>
    </message>
    <message>
        <source>no</source>
        <translation>ne</translation>
    </message>
    <message>
        <source>present</source>
        <translation>existuje</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>chybí</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Zpráva</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Soubor</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Zap</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Stav</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formát</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekundy</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Bajty</translation>
    </message>
    <message>
        <source>Transfer to unit would send %L1 of the unit&apos;s %L2 bytes (%3%).</source>
        <translation>Zápis do jednotky by poslal %L1 z %L2 bajtů jednotky (%3 %).</translation>
    </message>
    <message>
        <source>reading %1</source>
        <translation>čtu %1</translation>
    </message>
    <message>
        <source>There is nothing to speak: the text given with --text is empty</source>
        <translation>Není co vyslovit: text zadaný pomocí --text je prázdný</translation>
    </message>
    <message>
        <source>There is nothing to speak: %1 has no text in %2; give one with --text</source>
        <translation>Není co vyslovit: %1 nemá v %2 žádný text; zadejte jej pomocí --text</translation>
    </message>
    <message>
        <source>There is nothing to speak: the prompt %1 has no text in the configuration; give one with --text</source>
        <translation>Není co vyslovit: výzva %1 nemá v konfiguraci žádný text; zadejte jej pomocí --text</translation>
    </message>
</context>
<context>
    <name>VoiceMessagesText</name>
    <message>
        <source>8-bit</source>
        <translation>8bitový</translation>
    </message>
    <message>
        <source>16-bit</source>
        <translation>16bitový</translation>
    </message>
    <message>
        <source>32-bit</source>
        <translation>32bitový</translation>
    </message>
    <message>
        <source>32-bit float</source>
        <translation>32bitový s plovoucí čárkou</translation>
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
            <numerusform>%n kanál</numerusform>
            <numerusform>%n kanály</numerusform>
            <numerusform>%n kanálů</numerusform>
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
        <translation>Přehrávání bylo zastaveno!</translation>
    </message>
    <message>
        <source>Playback interrupted!</source>
        <translation>Přehrávání bylo přerušeno!</translation>
    </message>
    <message>
        <source>The recording could not be saved as %1: %2</source>
        <translation>Nahrávku nelze uložit jako %1: %2</translation>
    </message>
    <message>
        <source>Sound files (*.wav *.WAV *.flac *.ogg *.oga *.opus *.mp3 *.MP3);;All files (*)</source>
        <translation>Zvukové soubory (*.wav *.WAV *.flac *.ogg *.oga *.opus *.mp3 *.MP3);;Všechny soubory (*)</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importuji %1...</translation>
    </message>
    <message>
        <source>Speaking the text (%1)...</source>
        <translation>Vyslovuji text (%1)...</translation>
    </message>
    <message>
        <source>The voice message could not be made.</source>
        <translation>Hlasovou zprávu nelze vytvořit.</translation>
    </message>
    <message>
        <source>The audio device could not be started.</source>
        <translation>Zvukové zařízení nelze spustit.</translation>
    </message>
</context>
<context>
    <name>VoiceSourceText</name>
    <message>
        <source>it is a symbolic link, and recordings are not written through links</source>
        <translation>je to symbolický odkaz a nahrávky se přes odkazy nezapisují</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>nejde o běžný soubor</translation>
    </message>
    <message>
        <source>its folder %1 does not exist</source>
        <translation>její složka %1 neexistuje</translation>
    </message>
    <message>
        <source>its folder %1 cannot be written (%2)</source>
        <translation>do její složky %1 nelze zapisovat (%2)</translation>
    </message>
    <message>
        <source>The recording &quot;%1&quot; cannot be written: %2.</source>
        <translation>Nahrávku „%1“ nelze zapsat: %2.</translation>
    </message>
    <message>
        <source>%1 is too long for the unit: its whole voice memory of %L2 bytes holds %3 seconds at %L4 samples a second.</source>
        <translation>%1 je pro jednotku příliš dlouhý: celá její hlasová paměť o %L2 bajtech pojme %3 s při %L4 vzorcích za sekundu.</translation>
    </message>
    <message>
        <source>%1 is not sound that can be imported: %2.</source>
        <translation>%1 není zvuk, který lze importovat: %2.</translation>
    </message>
    <message>
        <source>%1 is damaged and could not be read to its end: %2.</source>
        <translation>%1 je poškozený a nelze jej dočíst do konce: %2.</translation>
    </message>
    <message>
        <source>%1 holds no sound: it is silent throughout.</source>
        <translation>%1 neobsahuje žádný zvuk: celý je tichý.</translation>
    </message>
    <message>
        <source>The import of %1 was stopped; the earlier recording is unchanged.</source>
        <translation>Import %1 byl zastaven; dřívější nahrávka zůstala beze změny.</translation>
    </message>
    <message>
        <source>%1 could not be converted: %2.</source>
        <translation>%1 nelze převést: %2.</translation>
    </message>
    <message>
        <source>; the earlier recording is unchanged</source>
        <translation>; dřívější nahrávka zůstala beze změny</translation>
    </message>
    <message>
        <source>the speech synthesiser espeak-ng cannot start (%1); is the package espeak-ng-data installed?</source>
        <translation>syntezátor řeči espeak-ng nelze spustit (%1); je nainstalován balíček espeak-ng-data?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be imported: %2.</source>
        <translation>„%1“ nelze importovat: %2.</translation>
    </message>
    <message>
        <source>%1 is not a sound file that can be imported (WAV, FLAC, Ogg Vorbis, Opus or MP3): %2</source>
        <translation>%1 není zvukový soubor, který lze importovat (WAV, FLAC, Ogg Vorbis, Opus nebo MP3): %2</translation>
    </message>
    <message>
        <source>There is nothing to speak: the text is empty.</source>
        <translation>Není co vyslovit: text je prázdný.</translation>
    </message>
    <message>
        <source>The text cannot be spoken: %1.</source>
        <translation>Text nelze vyslovit: %1.</translation>
    </message>
    <message>
        <source>espeak-ng has no voice for the language &quot;%1&quot; (try a code such as en, de or cs).</source>
        <translation>espeak-ng nemá hlas pro jazyk „%1“ (zkuste kód jako en, de nebo cs).</translation>
    </message>
    <message>
        <source>The text could not be spoken: %1.</source>
        <translation>Text se nepodařilo vyslovit: %1.</translation>
    </message>
    <message>
        <source>The spoken text</source>
        <translation>Vyslovený text</translation>
    </message>
</context>
<context>
    <name>WaveFileText</name>
    <message>
        <source>it does not exist</source>
        <translation>neexistuje</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>nelze jej přečíst (%1)</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>nejde o běžný soubor</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>nelze jej přečíst</translation>
    </message>
    <message>
        <source>it is larger than the unit&apos;s voice memory of %1 bytes</source>
        <translation>je větší než hlasová paměť jednotky o %1 bajtech</translation>
    </message>
    <message>
        <source>it is not a WAV file</source>
        <translation>nejde o soubor WAV</translation>
    </message>
    <message>
        <source>it is shorter than its header says</source>
        <translation>je kratší, než udává jeho hlavička</translation>
    </message>
    <message>
        <source>it is not 8-bit mono PCM sound at 8000 or 4000 Hz</source>
        <translation>nejde o 8bitový zvuk PCM mono s 8000 nebo 4000 Hz</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened: %2.</source>
        <translation>Soubor %1 nelze otevřít: %2.</translation>
    </message>
    <message>
        <source>The file %1 cannot be played: %2.</source>
        <translation>Soubor %1 nelze přehrát: %2.</translation>
    </message>
    <message>
        <source>The file %1 is not a playable WAV file.</source>
        <translation>Soubor %1 není přehratelný soubor WAV.</translation>
    </message>
</context>
<context>
    <name>WaveformText</name>
    <message>
        <source>, silent</source>
        <translation>, ticho</translation>
    </message>
    <message>
        <source>%1, peak %2 dBFS</source>
        <translation>%1, špička %2 dBFS</translation>
    </message>
    <message>
        <source>, clipped</source>
        <translation>, přebuzeno</translation>
    </message>
</context>
</TS>
