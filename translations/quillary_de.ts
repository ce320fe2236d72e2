<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CQuillaryDlg</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer from unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer to unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Syncronize clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigCommandText</name>
    <message>
        <source>Configuration files (*.QRB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration has not been saved. Close without saving it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigFileText</name>
    <message>
        <source>The configuration file could not be saved:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file could neither be opened nor created:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file could not be created:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file could not be opened:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration file could not be read:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigSessionText</name>
    <message>
        <source>There is no configuration file to save into.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DialogText</name>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quillary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Quillary&lt;/b&gt; %1&lt;br&gt;Configuration tool for the VELK-Ardo and VELK-Tisk GSM remote-control units.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MailSettingsDlgText</name>
    <message>
        <source>Mail settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Server URL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;ender address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sender address &quot;%1&quot; is not an e-mail address.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportText</name>
    <message>
        <source>Configuration has been printed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration could NOT be printed due to an error !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration for &lt;%1&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Configuration for &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Printed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List of allowed phonenumbers:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear allowed phonenumber list:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length of pulse on pulsed outputs (in mSec):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration for inputs:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Phonenumbers: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Hightext: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Lowtext:  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration for outputs:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output: %1 Type: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pulse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SendConfigCommandText</name>
    <message>
        <source>Configurationfile could not be sent using Email ! Please make sure that you have an Email program installed that supports MAPI.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configurationfile has been sent !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No mail server is set up: enter one under &quot;Mail settings...&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no configuration file to send. Please save the configuration first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration could not be packed for sending; no e-mail was sent.

%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SendConfigText</name>
    <message>
        <source>Configuration file for VELK-Ardo/VELK-Tisk module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration file is attached this email.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send configuration using Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending the configuration...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send configuration as EMail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mail settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SmtpTransportText</name>
    <message>
        <source>The mail server address &quot;%1&quot; holds a password. Quillary keeps no password: remove it from the address and put it in ~/.netrc (a line &quot;machine HOST login USER password SECRET&quot;).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sender address &quot;%1&quot; is not an e-mail address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an e-mail address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No recipient address was given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not logged on to the mail server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The attachment %1 cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mail library could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mail server answered: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The mail server did not answer within %n seconds.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
</TS>
