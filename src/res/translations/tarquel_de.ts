<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DateArgument</name>
    <message>
        <source>%1 &quot;%2&quot;: give a date as YYYY-MM-DD (2024-02-10) or a date and time in ISO 8601 (2024-02-10T14:30, 2024-02-10T14:30:00+01:00)</source>
        <translation>%1 &quot;%2&quot;: Geben Sie ein Datum als JJJJ-MM-TT (2024-02-10) oder Datum und Uhrzeit nach ISO 8601 an (2024-02-10T14:30, 2024-02-10T14:30:00+01:00)</translation>
    </message>
</context>
<context>
    <name>DeliveryOutcome</name>
    <message>
        <source>Delivered</source>
        <translation>Zugestellt</translation>
    </message>
    <message>
        <source>Accepted, possibly with errors</source>
        <translation>Angenommen, möglicherweise mit Fehlern</translation>
    </message>
    <message>
        <source>No station listening</source>
        <translation>Keine Station empfangsbereit</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Keine Antwort</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>Host nicht gefunden</translation>
    </message>
    <message>
        <source>No receipt</source>
        <translation>Keine Empfangsbestätigung</translation>
    </message>
    <message>
        <source>Waiting: the UDP port of this program is not listening</source>
        <translation>Wartet: Der UDP-Port dieses Programms ist nicht empfangsbereit</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Unterbrochen</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>--%1 is given more than once</source>
        <translation>--%1 ist mehrfach angegeben</translation>
    </message>
    <message>
        <source>Prints stored messages that match words, a sender and dates.</source>
        <translation>Gibt gespeicherte Nachrichten aus, die zu Wörtern, einem Absender und Datumsangaben passen.</translation>
    </message>
    <message>
        <source>Prints the stored messages of your messages folder that match every option given, newest first. Each message is its arrival stamp, &quot;From:&quot; and the sender, then its text as the window shows it, and an empty line. Control characters of a text are shown as &quot;�&quot;. Standard error says how many of the stored messages were found.
Messages are stored only while &quot;Use files to automatically saving and restoring messages&quot; is on (Preferences, Interface); while it is off, this is said on standard error and nothing is printed.
Exit status: 0 when the search ran, also when nothing matched or storing is off; 2 for bad usage.</source>
        <translation>Gibt die gespeicherten Nachrichten Ihres Nachrichtenordners aus, die zu allen angegebenen Optionen passen, die neueste zuerst. Jede Nachricht besteht aus ihrem Eingangsstempel, &quot;From:&quot; und dem Absender, dann ihrem Text, wie das Fenster ihn zeigt, und einer Leerzeile. Steuerzeichen eines Textes werden als &quot;�&quot; gezeigt. Die Standardfehlerausgabe nennt, wie viele der gespeicherten Nachrichten gefunden wurden.
Nachrichten werden nur gespeichert, solange &quot;Nachrichten in Dateien sichern und beim Start wiederherstellen&quot; eingeschaltet ist (Einstellungen, Oberfläche); solange es ausgeschaltet ist, wird das auf der Standardfehlerausgabe gesagt und nichts ausgegeben.
Rückgabewert: 0, wenn die Suche lief, auch wenn nichts passte oder das Speichern ausgeschaltet ist; 2 bei falscher Verwendung.</translation>
    </message>
    <message>
        <source>Only messages that hold each of WORDS, in any order and without regard to case, in the text or the sender. Quote several words as one argument.</source>
        <translation>Nur Nachrichten, die jedes der WORDS enthalten, in beliebiger Reihenfolge und ohne Rücksicht auf Groß- und Kleinschreibung, im Text oder im Absender. Mehrere Wörter in Anführungszeichen als ein Argument angeben.</translation>
    </message>
    <message>
        <source>Only messages from SENDER: a system name, an address, a host, or NAME/ADDRESS as messages name their sender, without regard to case.</source>
        <translation>Nur Nachrichten von SENDER: ein Systemname, eine Adresse, ein Host oder NAME/ADRESSE, wie Nachrichten ihren Absender nennen, ohne Rücksicht auf Groß- und Kleinschreibung.</translation>
    </message>
    <message>
        <source>Only messages that arrived on or after DATE: a day (YYYY-MM-DD) or a date and time in ISO 8601 (2024-02-10T14:30, with &quot;Z&quot; or an offset such as +01:00 when it is not local time).</source>
        <translation>Nur Nachrichten, die am oder nach DATE eingegangen sind: ein Tag (JJJJ-MM-TT) oder Datum und Uhrzeit nach ISO 8601 (2024-02-10T14:30, mit &quot;Z&quot; oder einem Versatz wie +01:00, wenn es nicht die Ortszeit ist).</translation>
    </message>
    <message>
        <source>Only messages that arrived on or before DATE: the whole of a day given as YYYY-MM-DD, or up to and including a date and time.</source>
        <translation>Nur Nachrichten, die am oder vor DATE eingegangen sind: ein ganzer Tag als JJJJ-MM-TT oder bis einschließlich Datum und Uhrzeit.</translation>
    </message>
    <message>
        <source>Writes one JSON object per message instead: &quot;arrival&quot; (ISO 8601 with the offset from UTC), &quot;sender&quot;, &quot;importance&quot; (&quot;high&quot; or &quot;normal&quot;), &quot;text&quot; (without the arrival stamp) and &quot;file&quot; (the path of its file).</source>
        <translation>Schreibt stattdessen ein JSON-Objekt je Nachricht: &quot;arrival&quot; (ISO 8601 mit dem Versatz zu UTC), &quot;sender&quot;, &quot;importance&quot; (&quot;high&quot; oder &quot;normal&quot;), &quot;text&quot; (ohne den Eingangsstempel) und &quot;file&quot; (der Pfad ihrer Datei).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no option: put several words in quotes after --search</source>
        <translation>&quot;%1&quot; ist keine Option: Mehrere Wörter in Anführungszeichen nach --search angeben</translation>
    </message>
    <message>
        <source>--since %1 is later than --until %2</source>
        <translation>--since %1 liegt nach --until %2</translation>
    </message>
    <message>
        <source>There are no stored messages: keeping received messages in files is switched off. Switch it on in the Preferences (Interface) to keep the messages that arrive from then on.</source>
        <translation>Es gibt keine gespeicherten Nachrichten: Das Speichern empfangener Nachrichten in Dateien ist ausgeschaltet. Schalten Sie es in den Einstellungen (Oberfläche) ein, um die Nachrichten zu behalten, die ab dann eingehen.</translation>
    </message>
    <message>
        <source>Messages found: %1 of %2 stored.</source>
        <translation>Gefundene Nachrichten: %1 von %2 gespeicherten.</translation>
    </message>
    <message>
        <source>Files left out for their size, too large to be messages: %1.</source>
        <translation>Wegen ihrer Größe ausgelassene Dateien, zu groß für Nachrichten: %1.</translation>
    </message>
</context>
<context>
    <name>Ipv4Range</name>
    <message>
        <source>%1 is not an address range: write a network as 10.0.0.0/24, or two addresses as 10.0.0.1-10.0.0.50</source>
        <translation>%1 ist kein Adressbereich: Geben Sie ein Netz wie 10.0.0.0/24 oder zwei Adressen wie 10.0.0.1-10.0.0.50 an</translation>
    </message>
    <message>
        <source>%1 is too large: a range holds at most %2 addresses (a network of /%3)</source>
        <translation>%1 ist zu groß: Ein Bereich umfasst höchstens %2 Adressen (ein Netz mit /%3)</translation>
    </message>
    <message>
        <source>%1 is not a network: the number after &quot;/&quot; must be from %2 to 32</source>
        <translation>%1 ist kein Netz: Die Zahl nach „/“ muss zwischen %2 und 32 liegen</translation>
    </message>
    <message>
        <source>%1 is reversed: %2 comes after %3</source>
        <translation>%1 ist vertauscht: %2 liegt hinter %3</translation>
    </message>
    <message>
        <source>%1 holds %2, which no station can have (multicast, reserved or broadcast)</source>
        <translation>%1 enthält %2, eine Adresse, die keine Station haben kann (Multicast, reserviert oder Broadcast)</translation>
    </message>
    <message>
        <source>%1 holds no address to probe: addresses ending in .0 or .255 are left out</source>
        <translation>%1 enthält keine Adresse zum Abfragen: Adressen, die auf .0 oder .255 enden, werden ausgelassen</translation>
    </message>
</context>
<context>
    <name>ProbeCommand</name>
    <message>
        <source>Asks stations whether they listen.</source>
        <translation>Fragt Stationen, ob sie empfangsbereit sind.</translation>
    </message>
    <message>
        <source>[options] HOST[:PORT]...</source>
        <translation>[Optionen] HOST[:PORT]...</translation>
    </message>
    <message>
        <source>Asks each HOST whether a station listens there. The identification probe goes over TCP; a station acknowledges it with its length and neither shows nor stores it. At most %1 targets are probed at once.
Prints one line per target, in the order given: the target, a tab, and &quot;reachable&quot;, &quot;no station&quot; (refused, or an answer that is not a station&apos;s), &quot;no answer&quot; (nothing answered in time) or &quot;unknown host&quot;.
Exit status: 0 when every target is reachable, 1 otherwise, 2 for bad usage.</source>
        <translation>Fragt bei jedem HOST, ob dort eine Station empfangsbereit ist. Die Kennungsabfrage geht über TCP; eine Station bestätigt sie mit ihrer Länge und zeigt sie weder an noch speichert sie sie. Höchstens %1 Ziele werden gleichzeitig abgefragt.
Gibt je Ziel eine Zeile in der angegebenen Reihenfolge aus: das Ziel, einen Tabulator und „reachable“ (erreichbar), „no station“ (abgewiesen oder eine Antwort, die nicht von einer Station stammt), „no answer“ (keine Antwort in der Wartezeit) oder „unknown host“ (unbekannter Host).
Rückgabewert: 0, wenn jedes Ziel erreichbar ist, sonst 1; 2 bei falscher Verwendung.</translation>
    </message>
    <message>
        <source>Probes a HOST given without a port at port N (default: the TCP port of your settings, now %1).</source>
        <translation>Fragt einen HOST ohne Portangabe an Port N ab (Standard: der TCP-Port aus Ihren Einstellungen, derzeit %1).</translation>
    </message>
    <message>
        <source>Waits at most MS milliseconds for each target (default %1).</source>
        <translation>Wartet je Ziel höchstens MS Millisekunden (Standard: %1).</translation>
    </message>
    <message>
        <source>Writes one JSON object with every result instead of the lines.</source>
        <translation>Gibt statt der Zeilen ein JSON-Objekt mit allen Ergebnissen aus.</translation>
    </message>
    <message>
        <source>A host name or IPv4 address, optionally with a TCP port.</source>
        <translation>Ein Hostname oder eine IPv4-Adresse, wahlweise mit TCP-Port.</translation>
    </message>
    <message>
        <source>--timeout %1: give the milliseconds to wait for each target, from 1 to %2</source>
        <translation>--timeout %1: Geben Sie die Wartezeit je Ziel in Millisekunden an, von 1 bis %2</translation>
    </message>
    <message>
        <source>no HOST given</source>
        <translation>kein HOST angegeben</translation>
    </message>
</context>
<context>
    <name>ProbeTargetArgument</name>
    <message>
        <source>&quot;%1&quot;: the port &quot;%2&quot; is not a number from 1 to 65535 (probes go over TCP)</source>
        <translation>„%1“: Der Port „%2“ ist keine Zahl von 1 bis 65535 (Abfragen gehen über TCP)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host: give a host name or an IPv4 address, optionally with &quot;:PORT&quot;</source>
        <translation>„%1“ ist kein Host: Geben Sie einen Hostnamen oder eine IPv4-Adresse an, wahlweise mit „:PORT“</translation>
    </message>
</context>
<context>
    <name>QEMail</name>
    <message>
        <source>Mail Notifications Settings</source>
        <translation>Benachrichtigung über neue E-Mails</translation>
    </message>
    <message>
        <source>&amp;Check for new mail every</source>
        <translation>Auf neue E-Mails prüfen &amp;alle</translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation>Minute(n)</translation>
    </message>
    <message>
        <source>&amp;Play sound when new messages arrives</source>
        <translation>&amp;Klang abspielen, wenn neue E-Mails eintreffen</translation>
    </message>
    <message>
        <source>E-mail P&amp;rogram:</source>
        <translation>E-Mail-P&amp;rogramm:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Mail Server(s) Settings</source>
        <translation>E-Mail-Server</translation>
    </message>
    <message>
        <source>&amp;Second Mailbox:</source>
        <translation>&amp;Zweites Postfach:</translation>
    </message>
    <message>
        <source>P&amp;OP3 Server:</source>
        <translation>P&amp;OP3-Server:</translation>
    </message>
    <message>
        <source>&amp;User Name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
    <message>
        <source>C&amp;heck Now!</source>
        <translation>&amp;Jetzt prüfen!</translation>
    </message>
    <message>
        <source>S&amp;MTP Server:</source>
        <translation>S&amp;MTP-Server:</translation>
    </message>
</context>
<context>
    <name>QFilteringSetup</name>
    <message>
        <source>Rules for message filtering</source>
        <translation>Regeln zum Filtern von Nachrichten</translation>
    </message>
    <message>
        <source>Messages holding any of these words or phrases are held back. Separate them with commas or line ends:</source>
        <translation>Nachrichten, die eines dieser Wörter oder eine dieser Wendungen enthalten, werden zurückgehalten. Trennen Sie die Einträge durch Kommas oder Zeilenumbrüche:</translation>
    </message>
    <message>
        <source>&amp;Don&apos;t display duplicated messages</source>
        <translation>Doppelte Nachrichten &amp;nicht anzeigen</translation>
    </message>
    <message>
        <source>&amp;Allow message receive only from Address Book-know users.</source>
        <translation>Nachrichten nur von Benutzern aus dem &amp;Adressbuch annehmen</translation>
    </message>
    <message>
        <source>Allow receiving the &amp;UDP notifications</source>
        <translation>&amp;UDP-Benachrichtigungen annehmen</translation>
    </message>
    <message>
        <source>&amp;Save outfiltered message(s) to file: </source>
        <translation>Aus&amp;gefilterte Nachrichten in Datei speichern: </translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
</context>
<context>
    <name>QGeneralSetup</name>
    <message>
        <source>User Information</source>
        <translation>Angaben zum Benutzer</translation>
    </message>
    <message>
        <source>&amp;Your Full Name:</source>
        <translation>Ihr vollständiger &amp;Name:</translation>
    </message>
    <message>
        <source>Y&amp;our System Name:</source>
        <translation>Ihr S&amp;ystemname:</translation>
    </message>
    <message>
        <source>Your E-&amp;mail Address:</source>
        <translation>Ihre &amp;E-Mail-Adresse:</translation>
    </message>
    <message>
        <source>Your Auto&amp;Signature:</source>
        <translation>Ihre automatische &amp;Signatur:</translation>
    </message>
    <message>
        <source>Network Settings</source>
        <translation>Netzwerkeinstellungen</translation>
    </message>
    <message>
        <source>Your IP &amp;Address:</source>
        <translation>Ihre IP-&amp;Adresse:</translation>
    </message>
    <message>
        <source>TCP&amp;&amp;UDP &amp;Port:</source>
        <translation>TCP&amp;&amp;UDP-&amp;Port:</translation>
    </message>
    <message>
        <source>D&amp;efault</source>
        <translation>Stan&amp;dard</translation>
    </message>
    <message>
        <source>&amp;Delay, ms:</source>
        <translation>&amp;Verzögerung, ms:</translation>
    </message>
    <message>
        <source>&amp;LAN</source>
        <translation>&amp;LAN</translation>
    </message>
    <message>
        <source>&amp;Internet</source>
        <translation>&amp;Internet</translation>
    </message>
    <message>
        <source>&amp;TCP</source>
        <translation>&amp;TCP</translation>
    </message>
    <message>
        <source>&amp;UDP</source>
        <translation>&amp;UDP</translation>
    </message>
    <message>
        <source>&amp;Both</source>
        <translation>&amp;Beide</translation>
    </message>
    <message>
        <source>Start Tarquel Messenger when I lo&amp;g in</source>
        <translation>Tarquel Messenger beim Anmelden aut&amp;omatisch starten</translation>
    </message>
</context>
<context>
    <name>QInterfaceSetup</name>
    <message>
        <source>When you press close program button:</source>
        <translation>Beim Klick auf die Schaltfläche zum Schließen:</translation>
    </message>
    <message>
        <source>&amp;Ask confirmation for close program</source>
        <translation>Vor dem Beenden &amp;nachfragen</translation>
    </message>
    <message>
        <source>&amp;Minimize window</source>
        <translation>Fenster &amp;minimieren</translation>
    </message>
    <message>
        <source>&amp;Close program without prompting</source>
        <translation>Programm ohne Nachfrage &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;Don&apos;t display &apos;OK&apos; if sent successfully </source>
        <translation>Nach erfolgreichem Senden kein „&amp;OK“ anzeigen </translation>
    </message>
    <message>
        <source>Mi&amp;nimize program when last message deleted</source>
        <translation>Programm minimieren, wenn die letzte Nachricht ge&amp;löscht ist</translation>
    </message>
    <message>
        <source>Don&apos;t &amp;go automatically to last received message</source>
        <translation>Nicht automatisch zur zuletzt empfangenen Nachricht &amp;springen</translation>
    </message>
    <message>
        <source>&amp;Use files to automatically saving and restoring messages </source>
        <translation>Nachrichten in &amp;Dateien sichern und beim Start wiederherstellen </translation>
    </message>
    <message>
        <source>&amp;Play this sound when new message arrives:</source>
        <translation>Diesen &amp;Klang bei neuen Nachrichten abspielen:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>D&amp;urchsuchen...</translation>
    </message>
    <message>
        <source>Show desktop no&amp;tifications for new messages and mail</source>
        <translation>Desktop-Benachrich&amp;tigungen bei neuen Nachrichten und E-Mails anzeigen</translation>
    </message>
    <message>
        <source>S&amp;end text as:</source>
        <translation>Text senden &amp;als:</translation>
    </message>
    <message>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <source>Windows-1252 (older stations)</source>
        <translation>Windows-1252 (ältere Stationen)</translation>
    </message>
    <message>
        <source>As&amp;k before sending to every station on the network</source>
        <translation>Vor dem Senden an alle Stationen im Netz &amp;fragen</translation>
    </message>
    <message>
        <source>Check &amp;who is reachable every</source>
        <translation>&amp;Erreichbarkeit prüfen alle</translation>
    </message>
    <message>
        <source>0 checks nobody</source>
        <translation>0 prüft niemanden</translation>
    </message>
    <message>
        <source>seconds (0: never)</source>
        <translation>Sekunden (0: nie)</translation>
    </message>
</context>
<context>
    <name>ReceiveCommand</name>
    <message>
        <source>Receives messages without the window and prints them.</source>
        <translation>Empfängt Nachrichten ohne Fenster und gibt sie aus.</translation>
    </message>
    <message>
        <source>Runs the station without its window, with your settings: filters, receipts, message files. Prints each message it accepts as it arrives: the arrival stamp, the sender and the text, or with --json one object a line. Delivers the messages waiting for delivery when reachable, as the window does. SIGTERM, SIGINT (Ctrl+C) and SIGHUP end it once every message file is written.
It refuses to run while the window program runs for the same user: the two would fight over the ports.
Exit status: 0 when ended by a signal, 2 for bad usage or a busy port.</source>
        <translation>Betreibt die Station ohne ihr Fenster, mit Ihren Einstellungen: Filter, Empfangsbestätigungen, Nachrichtendateien. Gibt jede angenommene Nachricht aus, sobald sie eingeht: Eingangsstempel, Absender und Text, oder mit --json ein Objekt je Zeile. Stellt die Nachrichten zu, die auf Zustellung bei Erreichbarkeit warten, wie das Fenster. SIGTERM, SIGINT (Strg+C) und SIGHUP beenden es, sobald jede Nachrichtendatei geschrieben ist.
Es läuft nicht, solange das Fensterprogramm für denselben Benutzer läuft: Beide würden um die Ports streiten.
Rückgabewert: 0 bei Ende durch ein Signal, 2 bei falscher Verwendung oder belegtem Port.</translation>
    </message>
    <message>
        <source>Writes each message as one JSON object on a line of its own.</source>
        <translation>Schreibt jede Nachricht als ein JSON-Objekt in eine eigene Zeile.</translation>
    </message>
    <message>
        <source>Listens on TCP port N instead of the one of your settings.</source>
        <translation>Empfängt auf TCP-Port N statt auf dem Ihrer Einstellungen.</translation>
    </message>
    <message>
        <source>Listens on UDP port N instead of the one of your settings.</source>
        <translation>Empfängt auf UDP-Port N statt auf dem Ihrer Einstellungen.</translation>
    </message>
    <message>
        <source>Answers each accepted message with your automatic answer, as the window does while AutoAnswer is on.</source>
        <translation>Beantwortet jede angenommene Nachricht mit Ihrer automatischen Antwort, wie das Fenster es bei eingeschaltetem AutoAnswer tut.</translation>
    </message>
    <message>
        <source>%1: receive takes no arguments</source>
        <translation>%1: receive nimmt keine Argumente</translation>
    </message>
    <message>
        <source>tarquel receive: Tarquel Messenger already runs for this user and receives the messages; two stations would fight over the ports</source>
        <translation>tarquel receive: Tarquel Messenger läuft bereits für diesen Benutzer und empfängt die Nachrichten; zwei Stationen würden um die Ports streiten</translation>
    </message>
    <message>
        <source>--auto-answer: there is no automatic answer yet; write it in the window first</source>
        <translation>--auto-answer: Es gibt noch keine automatische Antwort; schreiben Sie sie zuerst im Fenster</translation>
    </message>
</context>
<context>
    <name>ScanCommand</name>
    <message>
        <source>Finds the stations of an address range.</source>
        <translation>Sucht die Stationen eines Adressbereichs.</translation>
    </message>
    <message>
        <source>[options] RANGE</source>
        <translation>[Optionen] RANGE</translation>
    </message>
    <message>
        <source>Probes every address of RANGE and prints only the stations that answered, as they answer: the address, its host name (&quot;-&quot; when none is known) and the port, separated by tabs. Addresses that refuse, stay silent or answer as no station does are not printed. At most %1 addresses are probed at once, each for at most %2 ms.
RANGE is a network, such as 10.0.0.0/24 (a /%3 at most; its first and last address are left out), or two addresses, such as 10.0.0.1-10.0.0.50 or 10.0.0.1-50 (addresses ending in .0 or .255 are left out). A range holds at most %4 addresses.
Exit status: 0 when the scan is done, even when it found nothing; 2 for bad usage.</source>
        <translation>Fragt jede Adresse von RANGE ab und gibt nur die Stationen aus, die geantwortet haben, in der Reihenfolge ihrer Antworten: die Adresse, ihren Hostnamen („-“, wenn keiner bekannt ist) und den Port, durch Tabulatoren getrennt. Adressen, die abweisen, schweigen oder nicht wie eine Station antworten, werden nicht ausgegeben. Höchstens %1 Adressen werden gleichzeitig abgefragt, jede höchstens %2 ms lang.
RANGE ist ein Netz wie 10.0.0.0/24 (höchstens ein /%3; seine erste und letzte Adresse werden ausgelassen) oder zwei Adressen wie 10.0.0.1-10.0.0.50 oder 10.0.0.1-50 (Adressen, die auf .0 oder .255 enden, werden ausgelassen). Ein Bereich umfasst höchstens %4 Adressen.
Rückgabewert: 0, wenn die Suche abgeschlossen ist, auch wenn sie nichts gefunden hat; 2 bei falscher Verwendung.</translation>
    </message>
    <message>
        <source>Probes at TCP port N (default: the TCP port of your settings, now %1).</source>
        <translation>Fragt an TCP-Port N ab (Standard: der TCP-Port aus Ihren Einstellungen, derzeit %1).</translation>
    </message>
    <message>
        <source>Writes one JSON object per station found instead of a line.</source>
        <translation>Gibt je gefundener Station ein JSON-Objekt statt einer Zeile aus.</translation>
    </message>
    <message>
        <source>The IPv4 addresses to probe.</source>
        <translation>Die abzufragenden IPv4-Adressen.</translation>
    </message>
    <message>
        <source>no RANGE given</source>
        <translation>kein RANGE angegeben</translation>
    </message>
    <message>
        <source>one RANGE at a time, not also &quot;%1&quot;</source>
        <translation>nur ein RANGE auf einmal, nicht zusätzlich „%1“</translation>
    </message>
    <message>
        <source>Stations found: %1 of %2 addresses, in %3 s.</source>
        <translation>Gefundene Stationen: %1 von %2 Adressen, in %3 s.</translation>
    </message>
</context>
<context>
    <name>SendCommand</name>
    <message>
        <source>Sends a message as the window sends it.</source>
        <translation>Sendet eine Nachricht, wie das Fenster sie sendet.</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>standard input cannot be read</source>
        <translation>Die Standardeingabe kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>standard input: the text is not UTF-8</source>
        <translation>Standardeingabe: Der Text ist kein UTF-8</translation>
    </message>
    <message>
        <source>%1: the message text is empty</source>
        <translation>%1: Der Nachrichtentext ist leer</translation>
    </message>
    <message>
        <source>Sends one message to every DESTINATION at once, assembled exactly as the window sends it with your settings: heading, signature, ports and encoding. Options change the settings for this send only; they are never written.
Prints nothing when every destination confirmed the message; otherwise one line on standard error for each that did not (&quot;not confirmed: HOST&quot;), and the outcome of any mail.
Exit status: 0 when every network destination confirmed and any mail was sent, 1 when some did not, 2 for bad usage or bad input.</source>
        <translation>Sendet eine Nachricht an jedes DESTINATION zugleich, genau so zusammengesetzt, wie das Fenster sie mit Ihren Einstellungen sendet: Kopfzeile, Signatur, Ports und Kodierung. Optionen ändern die Einstellungen nur für diesen Versand; sie werden nie gespeichert.
Gibt nichts aus, wenn jeder Empfänger die Nachricht bestätigt hat; sonst eine Zeile auf der Standardfehlerausgabe für jeden, der es nicht tat (&quot;not confirmed: HOST&quot;), und das Ergebnis einer E-Mail.
Rückgabewert: 0, wenn jeder Netzwerkempfänger bestätigt hat und jede E-Mail gesendet wurde, 1, wenn einige nicht bestätigt haben, 2 bei falscher Verwendung oder Eingabe.</translation>
    </message>
    <message>
        <source>A user or group of your address book by name, &quot;&lt; All users &gt;&quot;, &quot;&lt; All (broadcast) &gt;&quot;, a host or IPv4 address with an optional &quot;:PORT&quot; and &quot;u&quot; for UDP, &quot;Name/host:port&quot;, or an e-mail address.</source>
        <translation>Ein Benutzer oder eine Gruppe Ihres Adressbuchs mit Namen, &quot;&lt; All users &gt;&quot;, &quot;&lt; All (broadcast) &gt;&quot;, ein Host oder eine IPv4-Adresse mit optionalem &quot;:PORT&quot; und &quot;u&quot; für UDP, &quot;Name/host:port&quot; oder eine E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>--tcp and --udp: give one of them</source>
        <translation>--tcp und --udp: Geben Sie nur eines davon an</translation>
    </message>
    <message>
        <source>--budget %1: give the milliseconds of the whole send, from 1 to %2</source>
        <translation>--budget %1: Geben Sie die Millisekunden des ganzen Versands an, von 1 bis %2</translation>
    </message>
    <message>
        <source>no DESTINATION given</source>
        <translation>kein DESTINATION angegeben</translation>
    </message>
    <message>
        <source>tarquel send: no private folder for the settings of this send; nothing was sent</source>
        <translation>tarquel send: kein privater Ordner für die Einstellungen dieses Versands; nichts wurde gesendet</translation>
    </message>
    <message>
        <source>no system name: stations would file the message away unread; set one in the preferences or give --system-name</source>
        <translation>kein Systemname: Stationen würden die Nachricht ungelesen ablegen; legen Sie einen in den Einstellungen fest oder geben Sie --system-name an</translation>
    </message>
    <message>
        <source>%1: this reaches every station of the network; give --broadcast-ok to send it</source>
        <translation>%1: Dies erreicht jede Station des Netzwerks; geben Sie --broadcast-ok an, um es zu senden</translation>
    </message>
    <message>
        <source>tarquel send: %1 cannot be written; nothing was sent</source>
        <translation>tarquel send: %1 kann nicht geschrieben werden; nichts wurde gesendet</translation>
    </message>
    <message>
        <source>%1: resolves to nobody</source>
        <translation>%1: ergibt keinen Empfänger</translation>
    </message>
    <message>
        <source>tarquel send: not kept for delivery later: %1</source>
        <translation>tarquel send: nicht für die spätere Zustellung aufbewahrt: %1</translation>
    </message>
    <message>
        <source>%1: waits for delivery when reachable</source>
        <translation>%1: wartet auf Zustellung, sobald erreichbar</translation>
    </message>
</context>
<context>
    <name>SubcommandList</name>
    <message>
        <source>tarquel: &quot;%1&quot; is not a command. Run &quot;tarquel --help&quot; for the list.</source>
        <translation>tarquel: „%1“ ist kein Befehl. „tarquel --help“ zeigt die Liste der Befehle.</translation>
    </message>
    <message>
        <source>Usage: tarquel COMMAND [options] [arguments]
Tarquel Messenger from the command line.

Commands:
</source>
        <translation>Aufruf: tarquel BEFEHL [Optionen] [Argumente]
Tarquel Messenger auf der Befehlszeile.

Befehle:
</translation>
    </message>
    <message>
        <source>
Every command has --help. &quot;tarquel --version&quot; shows the version.</source>
        <translation>
Jeder Befehl kennt --help. „tarquel --version“ zeigt die Version.</translation>
    </message>
</context>
<context>
    <name>SubcommandParser</name>
    <message>
        <source>Shows this help.</source>
        <translation>Zeigt diese Hilfe.</translation>
    </message>
    <message>
        <source>Usage: tarquel %1 %2</source>
        <extracomment>%1 is the command (&quot;probe&quot;), %2 what it takes (&quot;[options] RANGE&quot;)</extracomment>
        <translation>Aufruf: tarquel %1 %2</translation>
    </message>
    <message>
        <source>Run &quot;tarquel %1 --help&quot; for its usage.</source>
        <translation>„tarquel %1 --help“ zeigt die Verwendung.</translation>
    </message>
    <message>
        <source>--%1 %2: a port is a number from 1 to 65535</source>
        <translation>--%1 %2: Ein Port ist eine Zahl von 1 bis 65535</translation>
    </message>
</context>
<context>
    <name>tq</name>
    <message>
        <source>Tarquel Messenger</source>
        <translation>Tarquel Messenger</translation>
    </message>
    <message>
        <source>Tarquel Messenger v2.1</source>
        <translation>Tarquel Messenger v2.1</translation>
    </message>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>Die Netzwerkschnittstelle (Sockets) konnte nicht eingerichtet werden.</translation>
    </message>
    <message>
        <source>Tarquel Messenger. Listening...</source>
        <translation>Tarquel Messenger. Empfangsbereit...</translation>
    </message>
    <message>
        <source>Tarquel Messenger [ %d messages ]</source>
        <translation>Tarquel Messenger [ %d Nachrichten ]</translation>
    </message>
    <message>
        <source>Tarquel Messenger [ %d message ]</source>
        <translation>Tarquel Messenger [ %d Nachricht ]</translation>
    </message>
    <message>
        <source>Font Verdana corrupt or not installed!<byte value="xd"/>
It is strongly recommended reinstall TarquelMessenger!</source>
        <translation>Die Schrift Verdana ist beschädigt oder nicht installiert!<byte value="xd"/>
Es wird dringend empfohlen, TarquelMessenger neu zu installieren!</translation>
    </message>
    <message>
        <source>The settings file<byte value="xd"/>
%s<byte value="xd"/>
cannot be read. Tarquel Messenger runs on its default settings and leaves that file as it is: changes made in this session are not kept.</source>
        <translation>Die Einstellungsdatei<byte value="xd"/>
%s<byte value="xd"/>
kann nicht gelesen werden. Tarquel Messenger läuft mit seinen Standardeinstellungen und lässt die Datei unverändert: Änderungen in dieser Sitzung werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>The setting &quot;%s&quot; holds %d, which is no port; %d is used instead.</source>
        <translation>Die Einstellung „%s“ enthält %d, das ist kein Port; stattdessen wird %d verwendet.</translation>
    </message>
    <message>
        <source>%d stored message file(s) over 128 KB skipped; they stay in the messages folder.</source>
        <translation>%d gespeicherte Nachrichtendatei(en) über 128 KB übersprungen; sie bleiben im Nachrichtenordner.</translation>
    </message>
    <message>
        <source>Do you wish close Tarquel Messenger<byte value="xd"/>
and stop receiving messages from your friends?</source>
        <translation>Möchten Sie Tarquel Messenger schließen<byte value="xd"/>
und keine Nachrichten von Ihren Freunden mehr empfangen?</translation>
    </message>
    <message>
        <source>Close Tarquel Messenger?</source>
        <translation>Tarquel Messenger schließen?</translation>
    </message>
    <message>
        <source>Tarquel Messenger is preparing to go suspend.<byte value="xd"/>
Stopping active processes...</source>
        <translation>Tarquel Messenger bereitet sich auf den Bereitschaftsmodus vor.<byte value="xd"/>
Laufende Vorgänge werden beendet...</translation>
    </message>
    <message>
        <source>Tarquel Messenger is resume after suspend.
<byte value="xd"/>Starting background processes...</source>
        <translation>Tarquel Messenger ist aus dem Bereitschaftsmodus zurück.
<byte value="xd"/>Hintergrundvorgänge werden gestartet...</translation>
    </message>
    <message>
        <source>This desktop has no tray: Tarquel Messenger stays in the task bar when minimised.</source>
        <translation>Diese Arbeitsumgebung hat keinen Systembereich: Tarquel Messenger bleibt beim Minimieren in der Taskleiste.</translation>
    </message>
    <message>
        <source>This desktop has no tray (notification area), so Tarquel Messenger stays in the task bar when you minimise it. To keep it in a tray, add one to the desktop: on GNOME, the extension &quot;AppIndicator and KStatusNotifierItem Support&quot; (Debian package gnome-shell-extension-appindicator).</source>
        <translation>Diese Arbeitsumgebung hat keinen Systembereich (Benachrichtigungsfeld), daher bleibt Tarquel Messenger beim Minimieren in der Taskleiste. Um es im Systembereich abzulegen, fügen Sie der Arbeitsumgebung einen hinzu: unter GNOME die Erweiterung „AppIndicator and KStatusNotifierItem Support“ (Debian-Paket gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>TCP port %d</source>
        <translation>TCP-Port %d</translation>
    </message>
    <message>
        <source>UDP port %d</source>
        <translation>UDP-Port %d</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
You possibly don&apos;t have TCP/IP protocol installed.<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Möglicherweise ist das TCP/IP-Protokoll nicht installiert.<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
TarquelMessenger don&apos;t access to default port! Try to reinstall TCP/IP!<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
TarquelMessenger kann nicht auf den Standard-Port zugreifen! Installieren Sie TCP/IP neu!<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
A socket operation encountered a dead network.<byte value="xd"/>
This could indicate a serious failure of the network system<byte value="xd"/>
(i.e. the protocol stack that the Winsock DLL runs over),<byte value="xd"/>
the network interface, or the local network itself.<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Ein Socket-Vorgang ist auf ein nicht verfügbares Netz gestoßen.<byte value="xd"/>
Das kann auf einen schweren Fehler im Netzwerksystem hindeuten<byte value="xd"/>
(also im Protokollstapel, auf dem die Winsock-DLL läuft),<byte value="xd"/>
in der Netzwerkschnittstelle oder im lokalen Netz selbst.<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
A blocking operation is currently executing.<byte value="xd"/>
Windows Sockets only allows a single<byte value="xd"/>
blocking operation to be outstanding per task<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Ein blockierender Vorgang wird gerade ausgeführt.<byte value="xd"/>
Windows Sockets erlaubt je Task nur einen<byte value="xd"/>
ausstehenden blockierenden Vorgang.<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
Too many open sockets.<byte value="xd"/>
Each implementation may have a maximum number<byte value="xd"/>
of socket handles available, either globally,<byte value="xd"/>
per process or per thread.r
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Zu viele offene Sockets.<byte value="xd"/>
Jede Implementierung kann die Zahl der verfügbaren<byte value="xd"/>
Socket-Handles begrenzen, entweder insgesamt,<byte value="xd"/>
je Prozess oder je Thread.<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
No buffer space available!<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Kein Pufferspeicher verfügbar!<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
The requested protocol has not been configured into the system,<byte value="xd"/>
or no implementation for it exists<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Das angeforderte Protokoll ist im System nicht eingerichtet,<byte value="xd"/>
oder es gibt keine Implementierung dafür.<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
Protocol wrong type for socket.<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Falscher Protokolltyp für den Socket.<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source>Critical Error during initializations!<byte value="xd"/>
<byte value="xd"/>
The support for the specified socket type does not exist in this address family.<byte value="xd"/>
It&apos;s going to Tarquel Messenger not work!</source>
        <translation>Kritischer Fehler beim Start!<byte value="xd"/>
<byte value="xd"/>
Der angegebene Socket-Typ wird in dieser Adressfamilie nicht unterstützt.<byte value="xd"/>
Tarquel Messenger wird nicht funktionieren!</translation>
    </message>
    <message>
        <source> busy by another application!<byte value="xd"/>
Close another application or change default port and restart Tarquel Messenger!<byte value="xd"/>
<byte value="xd"/>
It possible to continue work, but you cannot receive incoming messages!</source>
        <translation> wird von einem anderen Programm belegt!<byte value="xd"/>
Beenden Sie das andere Programm oder ändern Sie den Standard-Port und starten Sie Tarquel Messenger neu!<byte value="xd"/>
<byte value="xd"/>
Sie können weiterarbeiten, aber keine Nachrichten empfangen!</translation>
    </message>
    <message>
        <source>Error creating socket!</source>
        <translation>Fehler beim Anlegen des Sockets!</translation>
    </message>
    <message>
        <source> listening</source>
        <translation> empfangsbereit</translation>
    </message>
    <message>
        <source> is busy! Receiving don&apos;t possibly!</source>
        <translation> ist belegt! Kein Empfang möglich!</translation>
    </message>
    <message>
        <source>Message has been send successfully!</source>
        <translation>Die Nachricht wurde erfolgreich gesendet!</translation>
    </message>
    <message>
        <source>The following addresse(s) possibly invalid<byte value="xd"/>
or host(s) did not respond:</source>
        <translation>Die folgenden Adressen sind möglicherweise ungültig<byte value="xd"/>
oder die Hosts haben nicht geantwortet:</translation>
    </message>
    <message>
        <source> host(s) not found!</source>
        <translation> Host(s) nicht gefunden!</translation>
    </message>
    <message>
        <source>Message has NOT been send to some host!</source>
        <translation>Die Nachricht wurde an einige Hosts NICHT gesendet!</translation>
    </message>
    <message>
        <source>Send OK!</source>
        <translation>Senden erfolgreich!</translation>
    </message>
    <message>
        <source>Incompatible type of remote receive program!<byte value="xd"/>
Remote user (%s) accepted your message, but may be with some errors!</source>
        <translation>Nicht kompatibles Empfangsprogramm auf der Gegenseite!<byte value="xd"/>
Der Empfänger (%s) hat Ihre Nachricht angenommen, möglicherweise aber mit Fehlern!</translation>
    </message>
    <message>
        <source>Possible error during sent!</source>
        <translation>Möglicher Fehler beim Senden!</translation>
    </message>
    <message>
        <source>Verifying data from </source>
        <translation>Prüfe Daten von </translation>
    </message>
    <message>
        <source>Contacting host </source>
        <translation>Verbinde mit Host </translation>
    </message>
    <message>
        <source>Sending data to </source>
        <translation>Sende Daten an </translation>
    </message>
    <message>
        <source>Unable to write file %s.<byte value="xd"/>
The message has not been sent.</source>
        <translation>Die Datei %s kann nicht geschrieben werden.<byte value="xd"/>
Die Nachricht wurde nicht gesendet.</translation>
    </message>
    <message>
        <source>Send this message to every station on the network?</source>
        <translation>Diese Nachricht an alle Stationen im Netz senden?</translation>
    </message>
    <message>
        <source>Do not ask again</source>
        <translation>Nicht mehr fragen</translation>
    </message>
    <message>
        <source>Nothing sent: type a destination or pick one from the list first.</source>
        <translation>Nichts gesendet: Geben Sie zuerst einen Empfänger ein oder wählen Sie einen aus der Liste.</translation>
    </message>
    <message>
        <source>The message has not been sent: your system name is empty, and other stations discard messages without one.<byte value="xd"/>
Enter &quot;Your System Name&quot; in Preferences.</source>
        <translation>Die Nachricht wurde nicht gesendet: Ihr Systemname ist leer, und andere Stationen verwerfen Nachrichten ohne Systemnamen.<byte value="xd"/>
Geben Sie in den Einstellungen „Ihr Systemname“ ein.</translation>
    </message>
    <message>
        <source>Unable to write outfiltered message to file: </source>
        <translation>Die ausgefilterte Nachricht kann nicht in die Datei geschrieben werden: </translation>
    </message>
    <message>
        <source>&amp;AutoAnswer</source>
        <translation>Auto&amp;matisch antworten</translation>
    </message>
    <message>
        <source>Toggle AutoAnswer mode</source>
        <translation>Automatische Antwort ein- oder ausschalten</translation>
    </message>
    <message>
        <source>AutoAnswer mode.</source>
        <translation>Automatische Antwort aktiv.</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>Bereit.</translation>
    </message>
    <message>
        <source>The message text has changed and not send!<byte value="xd"/>
Do you wish to replace its with &quot;quotes&quot; of new message?</source>
        <translation>Der Nachrichtentext wurde geändert und nicht gesendet!<byte value="xd"/>
Möchten Sie ihn durch das „Zitat“ der neuen Nachricht ersetzen?</translation>
    </message>
    <message>
        <source>Do you wish to delete all incoming messages?</source>
        <translation>Möchten Sie alle empfangenen Nachrichten löschen?</translation>
    </message>
    <message>
        <source>&amp;Send Message</source>
        <translation>Nachricht &amp;senden</translation>
    </message>
    <message>
        <source>Press this button to send message (Alt+Enter)</source>
        <translation>Klicken Sie hier, um die Nachricht zu senden (Alt+Eingabe)</translation>
    </message>
    <message>
        <source>Select or enter message destination(s)</source>
        <translation>Empfänger der Nachricht wählen oder eingeben</translation>
    </message>
    <message>
        <source>Time: %d,%02dsec</source>
        <translation>Zeit: %d,%02d s</translation>
    </message>
    <message>
        <source>%d/%d</source>
        <translation>%d/%d</translation>
    </message>
    <message>
        <source>&amp;Send message</source>
        <translation>Nachricht &amp;senden</translation>
    </message>
    <message>
        <source>&amp;Previous	Alt+Left Arrow</source>
        <translation>&amp;Vorherige	Alt+Pfeil links</translation>
    </message>
    <message>
        <source>&amp;Next	Alt+Right Arrow</source>
        <translation>&amp;Nächste	Alt+Pfeil rechts</translation>
    </message>
    <message>
        <source>&amp;Delete	Alt+Del</source>
        <translation>&amp;Löschen	Alt+Entf</translation>
    </message>
    <message>
        <source>D&amp;iscard all messages	Shift+Alt+Del</source>
        <translation>Alle Nachrichten ve&amp;rwerfen	Umschalt+Alt+Entf</translation>
    </message>
    <message>
        <source>P&amp;op up on message receipt</source>
        <translation>Bei &amp;neuer Nachricht in den Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Outside Any Group</source>
        <translation>&amp;Außerhalb jeder Gruppe</translation>
    </message>
    <message>
        <source>&amp;Junk Senders List</source>
        <translation>Liste der &amp;unerwünschten Absender (Junk Senders)</translation>
    </message>
    <message>
        <source>Send as &amp;high importance message </source>
        <translation>Mit &amp;hoher Wichtigkeit senden </translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Strg+C</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Strg+X</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>&amp;Einfügen	Strg+V</translation>
    </message>
    <message>
        <source>Select &amp;All	Ctrl+A</source>
        <translation>Alles &amp;markieren	Strg+A</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Strg+Z</translation>
    </message>
    <message>
        <source>&amp;Add sender to...</source>
        <translation>Absender &amp;aufnehmen in...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Are you sure you want to delete these %d items?</source>
        <translation>Möchten Sie diese %d Einträge wirklich löschen?</translation>
    </message>
    <message>
        <source>Confirm Multiple Item Delete</source>
        <translation>Löschen mehrerer Einträge bestätigen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete &quot;%s&quot;?</source>
        <translation>Möchten Sie „%s“ wirklich löschen?</translation>
    </message>
    <message>
        <source>Confirm User Delete</source>
        <translation>Löschen des Benutzers bestätigen</translation>
    </message>
    <message>
        <source>Are you sure you want to remove the user group &quot;%s&quot; and all its content?</source>
        <translation>Möchten Sie die Benutzergruppe „%s“ und ihren gesamten Inhalt wirklich entfernen?</translation>
    </message>
    <message>
        <source>Confirm User Group Delete</source>
        <translation>Löschen der Benutzergruppe bestätigen</translation>
    </message>
    <message>
        <source>Outside Any Group</source>
        <translation>Außerhalb jeder Gruppe</translation>
    </message>
    <message>
        <source>Address Book [%d Groups, %d Users]</source>
        <translation>Adressbuch [%d Gruppen, %d Benutzer]</translation>
    </message>
    <message>
        <source>Address Book [%d Users]</source>
        <translation>Adressbuch [%d Benutzer]</translation>
    </message>
    <message>
        <source>Item cannot contain any of the following characters<byte value="xd"/>
		&quot;\/:*?&quot;&lt;&gt;|;&quot;</source>
        <translation>Ein Eintrag darf keines der folgenden Zeichen enthalten:<byte value="xd"/>
		&quot;\/:*?&quot;&lt;&gt;|;&quot;</translation>
    </message>
    <message>
        <source>Error Renaming Item</source>
        <translation>Fehler beim Umbenennen</translation>
    </message>
    <message>
        <source>[ multiple item selected ]</source>
        <translation>[ mehrere Einträge ausgewählt ]</translation>
    </message>
    <message>
        <source> [ %d users selected]</source>
        <translation> [ %d Benutzer ausgewählt]</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Verschieben</translation>
    </message>
    <message>
        <source>User with name &apos;%s&apos; already exist in Address Book.<byte value="xd"/>
Do you wish to replace his address?</source>
        <translation>Ein Benutzer mit dem Namen „%s“ ist bereits im Adressbuch.<byte value="xd"/>
Möchten Sie seine Adresse ersetzen?</translation>
    </message>
    <message>
        <source>User Already Exist.</source>
        <translation>Benutzer bereits vorhanden.</translation>
    </message>
    <message>
        <source>Remove Item</source>
        <translation>Eintrag entfernen</translation>
    </message>
    <message>
        <source>Add New Group (Ctrl+Insert)</source>
        <translation>Neue Gruppe hinzufügen (Strg+Einfg)</translation>
    </message>
    <message>
        <source>Add New User  (Insert)</source>
        <translation>Neuen Benutzer hinzufügen (Einfg)</translation>
    </message>
    <message>
        <source>Up One Level (Backspace)</source>
        <translation>Eine Ebene nach oben (Rücktaste)</translation>
    </message>
    <message>
        <source>Go to a different group</source>
        <translation>Zu einer anderen Gruppe wechseln</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>My Group%d</source>
        <translation>Meine Gruppe%d</translation>
    </message>
    <message>
        <source>A item with the name you specified already exitst. Specify a different name</source>
        <translation>Ein Eintrag mit diesem Namen ist bereits vorhanden. Geben Sie einen anderen Namen an.</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Message</source>
        <translation>&amp;Nachricht</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Address &amp;Book...</source>
        <translation>&amp;Adressbuch...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Contents and Index	F1</source>
        <translation>&amp;Inhalt und Index	F1</translation>
    </message>
    <message>
        <source>&amp;Visit Tarquel Messenger Web Site</source>
        <translation>&amp;Website von Tarquel Messenger besuchen</translation>
    </message>
    <message>
        <source>&amp;About TarquelMessenger...</source>
        <translation>&amp;Über TarquelMessenger...</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Check for new mail now</source>
        <translation>Jetzt auf neue E-Mails &amp;prüfen</translation>
    </message>
    <message>
        <source>&amp;Read Mail</source>
        <translation>E-Mails &amp;lesen</translation>
    </message>
    <message>
        <source>&amp;Don&apos;t check anymore</source>
        <translation>&amp;Nicht mehr prüfen</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Hide mail icon(s)</source>
        <translation>E-Mail-Symbol(e) &amp;ausblenden</translation>
    </message>
    <message>
        <source>&amp;About Tarquel Messenger...</source>
        <translation>&amp;Über Tarquel Messenger...</translation>
    </message>
    <message>
        <source>Start checking</source>
        <translation>Prüfung starten</translation>
    </message>
    <message>
        <source>Tarquel Messenger Toolbar</source>
        <translation>Werkzeugleiste von Tarquel Messenger</translation>
    </message>
    <message>
        <source>Show the previous message
Previous message</source>
        <translation>Zeigt die vorherige Nachricht
Vorherige Nachricht</translation>
    </message>
    <message>
        <source>Show the next message
Next message</source>
        <translation>Zeigt die nächste Nachricht
Nächste Nachricht</translation>
    </message>
    <message>
        <source>Delete the message on display
Delete message</source>
        <translation>Löscht die angezeigte Nachricht
Nachricht löschen</translation>
    </message>
    <message>
        <source>Edit the users and groups of the Address Book
Address Book</source>
        <translation>Bearbeitet die Benutzer und Gruppen des Adressbuchs
Adressbuch</translation>
    </message>
    <message>
        <source>Change the program&apos;s settings
Preferences</source>
        <translation>Ändert die Einstellungen des Programms
Einstellungen</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Schneidet die Auswahl aus und legt sie in die Zwischenablage
Ausschneiden</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Kopiert die Auswahl in die Zwischenablage
Kopieren</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Fügt den Inhalt der Zwischenablage ein
Einfügen</translation>
    </message>
    <message>
        <source>Display program information and version
About</source>
        <translation>Zeigt Informationen zum Programm und die Version
Über</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>View file</source>
        <translation>Datei ansehen</translation>
    </message>
    <message>
        <source>Play this sound</source>
        <translation>Diesen Klang abspielen</translation>
    </message>
    <message>
        <source>Run this program now</source>
        <translation>Dieses Programm jetzt starten</translation>
    </message>
    <message>
        <source>HTML Help Support NOT Installed!<byte value="xd"/>
<byte value="xd"/>
The help pages (help/index.html) were not found beside the program.<byte value="xd"/>
Reinstall Tarquel Messenger to get them back.</source>
        <translation>Die HTML-Hilfe ist NICHT installiert!<byte value="xd"/>
<byte value="xd"/>
Die Hilfeseiten (help/index.html) wurden neben dem Programm nicht gefunden.<byte value="xd"/>
Installieren Sie Tarquel Messenger neu, um sie wiederherzustellen.</translation>
    </message>
    <message>
        <source>No program to show web pages was found.<byte value="xd"/>
<byte value="xd"/>
The help pages are installed; open this file with a web browser:<byte value="xd"/>
%s</source>
        <translation>Es wurde kein Programm zum Anzeigen von Webseiten gefunden.<byte value="xd"/>
<byte value="xd"/>
Die Hilfeseiten sind installiert; öffnen Sie diese Datei mit einem Webbrowser:<byte value="xd"/>
%s</translation>
    </message>
    <message>
        <source>Applications (*.exe)|*.exe|All Files (*.*)|*.*||</source>
        <translation>Programme (*.exe)|*.exe|Alle Dateien (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Text Files (*.txt)|*.txt|All Files (*.*)|*.*||</source>
        <translation>Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*||</translation>
    </message>
    <message>
        <source>Sound Files (*.wav)|*.wav||</source>
        <translation>Klangdateien (*.wav)|*.wav||</translation>
    </message>
    <message>
        <source>You are change TCP/IP port for Tarquel Messenger!<byte value="xd"/>
This change probably means stop receiving messages!<byte value="xd"/>
Change TCP/IP port?<byte value="xd"/>
(Answer &apos;NO&apos; if you not sure)</source>
        <translation>Sie ändern den TCP/IP-Port von Tarquel Messenger!<byte value="xd"/>
Dadurch empfangen Sie möglicherweise keine Nachrichten mehr!<byte value="xd"/>
TCP/IP-Port ändern?<byte value="xd"/>
(Antworten Sie mit „Nein“, wenn Sie unsicher sind)</translation>
    </message>
    <message>
        <source>Change TCP/IP Port?</source>
        <translation>TCP/IP-Port ändern?</translation>
    </message>
    <message>
        <source>Please enter an integer between %d and %d.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %d und %d ein.</translation>
    </message>
    <message>
        <source>Please enter no more than %d characters.</source>
        <translation>Bitte geben Sie höchstens %d Zeichen ein.</translation>
    </message>
    <message>
        <source>About Tarquel Messenger</source>
        <translation>Über Tarquel Messenger</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Oberfläche</translation>
    </message>
    <message>
        <source>Filtering</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>The entry that starts Tarquel Messenger when you log in could not be changed.<byte value="xd"/>
<byte value="xd"/>
%s: %s</source>
        <translation>Der Eintrag, der Tarquel Messenger beim Anmelden startet, konnte nicht geändert werden.<byte value="xd"/>
<byte value="xd"/>
%s: %s</translation>
    </message>
    <message>
        <source>Start mail sending process.</source>
        <translation>E-Mail-Versand wird gestartet.</translation>
    </message>
    <message>
        <source>Unable to connect with SMTP server </source>
        <translation>Keine Verbindung zum SMTP-Server </translation>
    </message>
    <message>
        <source>Mail send successfully.</source>
        <translation>E-Mail erfolgreich gesendet.</translation>
    </message>
    <message>
        <source>Error during mail sending process.<byte value="xd"/>
SMTP server return unexpected answer.</source>
        <translation>Fehler beim Senden der E-Mail.<byte value="xd"/>
Der SMTP-Server hat unerwartet geantwortet.</translation>
    </message>
    <message>
        <source>You don&apos;t setup SMTP server in Preferences.  </source>
        <translation>In den Einstellungen ist kein SMTP-Server eingetragen.  </translation>
    </message>
    <message>
        <source>Connecting to server </source>
        <translation>Verbinde mit Server </translation>
    </message>
    <message>
        <source>Connection accepted...</source>
        <translation>Verbindung angenommen...</translation>
    </message>
    <message>
        <source>Authentification for user </source>
        <translation>Anmeldung für Benutzer </translation>
    </message>
    <message>
        <source>Checking for new messages...</source>
        <translation>Suche nach neuen Nachrichten...</translation>
    </message>
    <message>
        <source>Mail server has %d new message(s) for %s</source>
        <translation>Der Mailserver hat %d neue Nachricht(en) für %s</translation>
    </message>
    <message>
        <source>Unable to retrive new mail statistics from mailserver </source>
        <translation>Keine Angaben zu neuen E-Mails erhalten vom Mailserver </translation>
    </message>
    <message>
        <source>Authentification error for user </source>
        <translation>Anmeldefehler für Benutzer </translation>
    </message>
    <message>
        <source>Unable to connect with mail server </source>
        <translation>Keine Verbindung zum Mailserver </translation>
    </message>
    <message>
        <source>You have </source>
        <translation>Sie haben </translation>
    </message>
    <message>
        <source>Invalid POP3 server  </source>
        <translation>Ungültiger POP3-Server  </translation>
    </message>
    <message>
        <source>Unable to connect with POP3 </source>
        <translation>Keine Verbindung zum POP3-Server </translation>
    </message>
    <message>
        <source>Internal TCP/IP error</source>
        <translation>Interner TCP/IP-Fehler</translation>
    </message>
    <message>
        <source> new messages in mailbox </source>
        <translation> neue Nachrichten im Postfach </translation>
    </message>
    <message>
        <source>From: %1</source>
        <translation>Von: %1</translation>
    </message>
    <message>
        <source>, high importance</source>
        <translation>, hohe Wichtigkeit</translation>
    </message>
    <message>
        <source>My Group</source>
        <translation>Meine Gruppe</translation>
    </message>
    <message>
        <source>Reachable</source>
        <translation>Erreichbar</translation>
    </message>
    <message>
        <source>Not reachable</source>
        <translation>Nicht erreichbar</translation>
    </message>
    <message>
        <source>Unknown host</source>
        <translation>Unbekannter Host</translation>
    </message>
    <message>
        <source>Not checked</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message>
        <source>%1 since %2</source>
        <extracomment>%1 is the state (&quot;Reachable&quot;), %2 a time (&quot;14:05&quot;)</extracomment>
        <translation>%1 seit %2</translation>
    </message>
    <message>
        <source>%1 of %2 reachable</source>
        <translation>%1 von %2 erreichbar</translation>
    </message>
    <message>
        <source>%1 is reachable again</source>
        <translation>%1 ist wieder erreichbar</translation>
    </message>
    <message>
        <source>Please enter 0 to check nobody, or a number of seconds from %1 to %2.</source>
        <translation>Bitte geben Sie 0 ein, um niemanden zu prüfen, oder eine Anzahl Sekunden von %1 bis %2.</translation>
    </message>
    <message>
        <source>Stopping the message receivers</source>
        <translation>Der Nachrichtenempfang wird beendet</translation>
    </message>
    <message>
        <source>- user group (double click to enter)</source>
        <translation>- Benutzergruppe (Doppelklick zum Öffnen)</translation>
    </message>
    <message>
        <source>- user (double click to edit)</source>
        <translation>- Benutzer (Doppelklick zum Bearbeiten)</translation>
    </message>
    <message>
        <source>- deactive user/group (caused to stop receiving messages)</source>
        <translation>- deaktivierter Benutzer/deaktivierte Gruppe (von ihnen werden keine Nachrichten mehr empfangen)</translation>
    </message>
    <message>
        <source>- active user/group (default state)</source>
        <translation>- aktiver Benutzer/aktive Gruppe (Standard)</translation>
    </message>
    <message>
        <source>Address Book</source>
        <translation>Adressbuch</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Add or modify user</source>
        <translation>Benutzer hinzufügen oder ändern</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Hin&amp;zufügen</translation>
    </message>
    <message>
        <source>&amp;Modify</source>
        <translation>Ä&amp;ndern</translation>
    </message>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>User &amp;host:</source>
        <translation>Benutzer-&amp;Host:</translation>
    </message>
    <message>
        <source>&amp;Group:</source>
        <translation>&amp;Gruppe:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cheking for new mail</source>
        <translation>Suche nach neuen E-Mails</translation>
    </message>
    <message>
        <source>Delivered to %1 (queued %2), possibly with errors</source>
        <translation>An %1 zugestellt (eingereiht %2), möglicherweise mit Fehlern</translation>
    </message>
    <message>
        <source>Delivered to %1 (queued %2)</source>
        <translation>An %1 zugestellt (eingereiht %2)</translation>
    </message>
    <message>
        <source>Not delivered to %1 (queued %2): no answer in %3 day(s). The text is kept in %4</source>
        <translation>Nicht an %1 zugestellt (eingereiht %2): keine Antwort in %3 Tag(en). Der Text ist in %4 aufbewahrt</translation>
    </message>
    <message>
        <source>Unable to write undelivered message to file: %1 (%2)</source>
        <translation>Die nicht zugestellte Nachricht kann nicht in die Datei geschrieben werden: %1 (%2)</translation>
    </message>
    <message>
        <source>The message to %1 was delivered but could not be removed from %2 (%3)</source>
        <translation>Die Nachricht an %1 wurde zugestellt, konnte aber nicht aus %2 entfernt werden (%3)</translation>
    </message>
    <message>
        <source>%d UDP message(s) dropped unconfirmed: too many messages were waiting.</source>
        <translation>%d UDP-Nachricht(en) unbestätigt verworfen: Zu viele Nachrichten warteten.</translation>
    </message>
    <message>
        <source>The disk is nearly full: new messages are kept in memory only, not stored.</source>
        <translation>Der Datenträger ist fast voll: Neue Nachrichten werden nur im Speicher gehalten, nicht gespeichert.</translation>
    </message>
    <message>
        <source>Disk space is back: new messages are stored again.</source>
        <translation>Wieder genug Platz auf dem Datenträger: Neue Nachrichten werden wieder gespeichert.</translation>
    </message>
    <message>
        <source>%d waiting</source>
        <translation>%d wartend</translation>
    </message>
</context>
<context>
    <name>tq::CFailedHostsDlg</name>
    <message>
        <source>The following addresses possibly invalid
or hosts not respond:</source>
        <translation>Die folgenden Adressen sind möglicherweise ungültig
oder die Hosts haben nicht geantwortet:</translation>
    </message>
    <message>
        <source>Deliver when reachable</source>
        <translation>Zustellen, sobald erreichbar</translation>
    </message>
</context>
<context>
    <name>tq::DeliveryLaterControls</name>
    <message>
        <source>&amp;Waiting Messages</source>
        <translation>&amp;Wartende Nachrichten</translation>
    </message>
    <message>
        <source>Kept for delivery when reachable: %1</source>
        <translation>Zur Zustellung, sobald erreichbar, aufbewahrt: %1</translation>
    </message>
    <message>
        <source>These messages could not be kept for delivery later:</source>
        <translation>Diese Nachrichten konnten nicht für eine spätere Zustellung aufbewahrt werden:</translation>
    </message>
</context>
<context>
    <name>tq::FindStationsDialog</name>
    <message>
        <source>Find Stations</source>
        <translation>Stationen suchen</translation>
    </message>
    <message>
        <source>A network such as 192.168.1.0/24 (a /%1 at most), or two addresses such as 192.168.1.1-192.168.1.50</source>
        <translation>Ein Netz wie 192.168.1.0/24 (höchstens ein /%1) oder zwei Adressen wie 192.168.1.1-192.168.1.50</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>&amp;Addresses:</source>
        <translation>A&amp;dressen:</translation>
    </message>
    <message>
        <source>Press Start to ask every address of the range whether a station listens there.</source>
        <translation>Klicken Sie auf „Starten“, um bei jeder Adresse des Bereichs zu fragen, ob dort eine Station empfangsbereit ist.</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Host name</source>
        <translation>Hostname</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add the picked stations to the &amp;group:</source>
        <translation>Gewählte Stationen zur &amp;Gruppe hinzufügen:</translation>
    </message>
    <message>
        <source>The port must be a number from 1 to 65535.</source>
        <translation>Der Port muss eine Zahl von 1 bis 65535 sein.</translation>
    </message>
    <message numerus="yes">
        <source>Asking %n address(es)...</source>
        <translation>
            <numerusform>Frage %n Adresse ab...</numerusform>
            <numerusform>Frage %n Adressen ab...</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n station(s) found</source>
        <translation>
            <numerusform>%n Station gefunden</numerusform>
            <numerusform>%n Stationen gefunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancelled: %1.</source>
        <translation>Abgebrochen: %1.</translation>
    </message>
    <message numerus="yes">
        <source>%1 among %n address(es).</source>
        <translation>
            <numerusform>%1 unter %n Adresse.</numerusform>
            <numerusform>%1 unter %n Adressen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Added to &quot;%1&quot;: %2.</source>
        <translation>Zu „%1“ hinzugefügt: %2.</translation>
    </message>
    <message>
        <source>Already in the address book: %1.</source>
        <translation>Schon im Adressbuch: %1.</translation>
    </message>
    <message>
        <source>Nothing was added.</source>
        <translation>Es wurde nichts hinzugefügt.</translation>
    </message>
</context>
<context>
    <name>tq::HistoryControls</name>
    <message>
        <source>&amp;History	Ctrl+H</source>
        <translation>&amp;Verlauf	Ctrl+H</translation>
    </message>
</context>
<context>
    <name>tq::HistoryTableModel</name>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Empfangen</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Importance</source>
        <translation>Wichtigkeit</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
</context>
<context>
    <name>tq::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>There are no stored messages: keeping received messages in files is switched off.
Switch it on in the Preferences (Interface) to keep the messages that arrive from then on.</source>
        <translation>Es gibt keine gespeicherten Nachrichten: Das Sichern empfangener Nachrichten in Dateien ist ausgeschaltet.
Schalten Sie es in den Einstellungen (Oberfläche) ein, um die Nachrichten zu behalten, die von da an eintreffen.</translation>
    </message>
    <message>
        <source>Search words</source>
        <translation>Suchbegriffe</translation>
    </message>
    <message>
        <source>Sender</source>
        <translation>Absender</translation>
    </message>
    <message>
        <source>Since</source>
        <translation>Seit</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>&amp;Reply</source>
        <translation>&amp;Antworten</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>%1 of %2 messages</source>
        <translation>%1 von %2 Nachrichten</translation>
    </message>
    <message>
        <source>, more being read</source>
        <translation>, weitere werden gelesen</translation>
    </message>
    <message>
        <source>, searching</source>
        <translation>, Suche läuft</translation>
    </message>
    <message>
        <source>Delete the message from %1 of %2?</source>
        <translation>Die Nachricht von %1 vom %2 löschen?</translation>
    </message>
    <message>
        <source>Delete message</source>
        <translation>Nachricht löschen</translation>
    </message>
    <message>
        <source>Export messages</source>
        <translation>Nachrichten exportieren</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The messages could not be written to %1:
%2</source>
        <translation>Die Nachrichten konnten nicht nach %1 geschrieben werden:
%2</translation>
    </message>
</context>
<context>
    <name>tq::PresenceControls</name>
    <message>
        <source>&amp;Find Stations...</source>
        <translation>&amp;Stationen suchen...</translation>
    </message>
</context>
<context>
    <name>tq::WaitingMessagesWindow</name>
    <message>
        <source>Waiting Messages</source>
        <translation>Wartende Nachrichten</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Empfänger</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Queued since</source>
        <translation>Eingereiht seit</translation>
    </message>
    <message>
        <source>Last attempt</source>
        <translation>Letzter Versuch</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Retry now</source>
        <translation>&amp;Jetzt erneut versuchen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>No message is waiting.</source>
        <translation>Keine Nachricht wartet.</translation>
    </message>
    <message numerus="yes">
        <source>%n message(s) waiting.</source>
        <translation>
            <numerusform>%n Nachricht wartet.</numerusform>
            <numerusform>%n Nachrichten warten.</numerusform>
        </translation>
    </message>
    <message>
        <source>This message is being delivered right now.</source>
        <translation>Diese Nachricht wird gerade zugestellt.</translation>
    </message>
    <message>
        <source>This message could not be cancelled: its file cannot be removed.</source>
        <translation>Diese Nachricht konnte nicht abgebrochen werden: Ihre Datei kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Trying again...</source>
        <translation>Neuer Versuch...</translation>
    </message>
</context>
<context>
    <name>tq::cli</name>
    <message>
        <source>%1: no host in this destination</source>
        <translation>%1: kein Host in diesem Empfänger</translation>
    </message>
    <message>
        <source>%1: a port is a number from 1 to 65535</source>
        <translation>%1: Ein Port ist eine Zahl von 1 bis 65535</translation>
    </message>
    <message>
        <source>an empty DESTINATION</source>
        <translation>ein leeres DESTINATION</translation>
    </message>
    <message>
        <source>%1: the broadcast goes by UDP, which this send does not use</source>
        <translation>%1: Der Broadcast geht über UDP, das dieser Versand nicht verwendet</translation>
    </message>
    <message>
        <source>%1: resolves to nobody (no active user there)</source>
        <translation>%1: ergibt keinen Empfänger (kein aktiver Benutzer dort)</translation>
    </message>
</context>
<context>
    <name>tq::cli::SendOptions</name>
    <message>
        <source>Sends TEXT (without it, the text comes from standard input).</source>
        <translation>Sendet TEXT (ohne es kommt der Text von der Standardeingabe).</translation>
    </message>
    <message>
        <source>Sends by UDP only, as &quot;UseProtocol&quot; 1 does.</source>
        <translation>Sendet nur über UDP, wie &quot;UseProtocol&quot; 1.</translation>
    </message>
    <message>
        <source>Sends by TCP only, as &quot;UseProtocol&quot; 0 does.</source>
        <translation>Sendet nur über TCP, wie &quot;UseProtocol&quot; 0.</translation>
    </message>
    <message>
        <source>Sends with high importance.</source>
        <translation>Sendet mit hoher Wichtigkeit.</translation>
    </message>
    <message>
        <source>Gives the whole send MS milliseconds (default: &quot;Delay&quot; of your settings).</source>
        <translation>Gibt dem ganzen Versand MS Millisekunden (Vorgabe: &quot;Delay&quot; Ihrer Einstellungen).</translation>
    </message>
    <message>
        <source>Leaves the signature out.</source>
        <translation>Lässt die Signatur weg.</translation>
    </message>
    <message>
        <source>Signs the heading with TEXT.</source>
        <translation>Unterzeichnet die Kopfzeile mit TEXT.</translation>
    </message>
    <message>
        <source>Sends as the system name TEXT.</source>
        <translation>Sendet mit dem Systemnamen TEXT.</translation>
    </message>
    <message>
        <source>Writes one JSON object with every destination&apos;s outcome.</source>
        <translation>Schreibt ein JSON-Objekt mit dem Ergebnis jedes Empfängers.</translation>
    </message>
    <message>
        <source>Allows a send that reaches every station of the network.</source>
        <translation>Erlaubt einen Versand, der jede Station des Netzwerks erreicht.</translation>
    </message>
    <message>
        <source>Keeps the message for the network destinations that did not confirm it and delivers it when they are reachable.</source>
        <translation>Bewahrt die Nachricht für die Netzwerkziele auf, die sie nicht bestätigt haben, und stellt sie zu, sobald sie erreichbar sind.</translation>
    </message>
</context>
<context>
    <name>tq::cli::SendReport</name>
    <message>
        <source>not confirmed: %1</source>
        <translation>not confirmed: %1</translation>
    </message>
    <message>
        <source>answered with a wrong length (not a compatible station?): %1</source>
        <translation>mit falscher Länge beantwortet (keine kompatible Station?): %1</translation>
    </message>
    <message>
        <source>mail: %1</source>
        <translation>mail: %1</translation>
    </message>
    <message>
        <source>no outcome</source>
        <translation>kein Ergebnis</translation>
    </message>
</context>
</TS>
