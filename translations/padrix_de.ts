<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>padrix::CalcFile</name>
    <message>
        <source>its first line (%1) is a tape line: the header line &quot;%2&quot; is missing</source>
        <translation>ihre erste Zeile (%1) ist eine Zeile des Streifens: die Kopfzeile &quot;%2&quot; fehlt</translation>
    </message>
    <message>
        <source>it holds no line after its header</source>
        <translation>sie enthält keine Zeile nach ihrer Kopfzeile</translation>
    </message>
    <message>
        <source>the file has %1 lines; a tape holds at most %2 lines (2 GB)</source>
        <translation>die Datei hat %1 Zeilen; ein Streifen fasst höchstens %2 Zeilen (2 GB)</translation>
    </message>
    <message>
        <source>line %1 is neither a number nor a calculation line: %2</source>
        <translation>Zeile %1 ist weder eine Zahl noch eine Rechenzeile: %2</translation>
    </message>
    <message>
        <source>the file is empty: a calculation file starts with its header line</source>
        <translation>die Datei ist leer: eine Rechnungsdatei beginnt mit ihrer Kopfzeile</translation>
    </message>
    <message>
        <source>it is not a text file (a calculation file is plain text)</source>
        <translation>sie ist keine Textdatei (eine Rechnungsdatei ist reiner Text)</translation>
    </message>
    <message>
        <source>cannot write to %1: the file is read-only</source>
        <translation>%1 kann nicht geschrieben werden: die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>cannot write to %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot read %1: not enough memory</source>
        <translation>%1 kann nicht gelesen werden: nicht genug Speicher</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>cannot read %1: it is larger than %2 MiB</source>
        <translation>%1 kann nicht gelesen werden: sie ist größer als %2 MiB</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
</context>
<context>
    <name>padrix::CalcFileReading</name>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
</context>
<context>
    <name>padrix::CalculationFiles</name>
    <message>
        <source>Cannot write to read only file or drive...</source>
        <translation>Schreibgeschützte Datei oder schreibgeschütztes Laufwerk: Schreiben nicht möglich...</translation>
    </message>
    <message>
        <source>Cannot save calculation file...</source>
        <translation>Die Rechnungsdatei kann nicht gespeichert werden...</translation>
    </message>
    <message>
        <source>Cannot read calculation file...</source>
        <translation>Die Rechnungsdatei kann nicht gelesen werden...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>padrix::CommandLine</name>
    <message>
        <source>show this help and exit</source>
        <translation>diese Hilfe zeigen und beenden</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>die Version zeigen und beenden</translation>
    </message>
    <message>
        <source>formula</source>
        <translation>Formel</translation>
    </message>
    <message>
        <source>evaluate a function-button formula in X and T and print it</source>
        <translation>eine Formel einer Funktionstaste in X und T auswerten und ausgeben</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>the value of X in the --eval formula</source>
        <translation>der Wert von X in der Formel von --eval</translation>
    </message>
    <message>
        <source>the value of T in the --eval formula</source>
        <translation>der Wert von T in der Formel von --eval</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>print the grand total of a calculation file (- reads standard input)</source>
        <translation>die Endsumme einer Rechnungsdatei ausgeben (- liest die Standardeingabe)</translation>
    </message>
    <message>
        <source>places</source>
        <translation>Stellen</translation>
    </message>
    <message>
        <source>decimals of the --total: 0 to 6, or variable (the default)</source>
        <translation>Nachkommastellen von --total: 0 bis 6 oder variable (Vorgabe)</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>what the --total shows: numbers (the default), average, mean (also median) or mode</source>
        <translation>was --total zeigt: numbers (Summe, Vorgabe), average (Mittelwert), mean (auch median, Zentralwert) oder mode (häufigster Wert)</translation>
    </message>
    <message>
        <source>the settings file whose function buttons the --total uses</source>
        <translation>die Einstellungsdatei, deren Funktionstasten --total verwendet</translation>
    </message>
    <message>
        <source>%1 needs a %2</source>
        <translation>%1 braucht einen Wert: %2</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;; see --help</source>
        <translation>unbekannte Option &apos;%1&apos;; siehe --help</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 ist zweimal angegeben</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>--eval and --total exclude each other</source>
        <translation>--eval und --total schließen einander aus</translation>
    </message>
    <message>
        <source>--eval takes no file name (&apos;%1&apos;)</source>
        <translation>--eval nimmt keinen Dateinamen (&apos;%1&apos;)</translation>
    </message>
    <message>
        <source>--total takes one file (&apos;%1&apos; is one too many)</source>
        <translation>--total nimmt eine Datei (&apos;%1&apos; ist eine zu viel)</translation>
    </message>
    <message>
        <source>%1 goes with --eval</source>
        <translation>%1 gehört zu --eval</translation>
    </message>
    <message>
        <source>%1 goes with --total</source>
        <translation>%1 gehört zu --total</translation>
    </message>
    <message>
        <source>the window opens one file (&apos;%1&apos; is one too many)</source>
        <translation>das Fenster öffnet eine Datei (&apos;%1&apos; ist eine zu viel)</translation>
    </message>
    <message>
        <source>Usage: padrix-calculator [FILE]
       padrix-calculator --total FILE [--decimals PLACES] [--mode MODE]
                         [--settings FILE]
       padrix-calculator --eval FORMULA [--x VALUE] [--t VALUE]
</source>
        <translation>Aufruf: padrix-calculator [DATEI]
        padrix-calculator --total DATEI [--decimals STELLEN] [--mode ART]
                          [--settings DATEI]
        padrix-calculator --eval FORMEL [--x WERT] [--t WERT]
</translation>
    </message>
    <message>
        <source>Padrix Calculator: a tape calculator with exact decimal arithmetic. Without options it opens the window, with the calculation file FILE when one is named. &quot;--&quot; ends the options: what follows it is a file name.</source>
        <translation>Padrix Calculator: ein Streifenrechner mit exakter Dezimalarithmetik. Ohne Optionen öffnet er das Fenster, mit der Rechnungsdatei DATEI, wenn eine genannt ist. &quot;--&quot; beendet die Optionen: was folgt, ist ein Dateiname.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Exit status:</source>
        <translation>Rückgabewert:</translation>
    </message>
    <message>
        <source>success</source>
        <translation>Erfolg</translation>
    </message>
    <message>
        <source>the result is an error word (Error, Overflow, Asin Error and the like), a statistic cannot be formed, the formula fails, a file or the settings file cannot be read, the output cannot be written, or there is no display for the window</source>
        <translation>das Ergebnis ist ein Fehlerwort (Error, Overflow, Asin Error und dergleichen), eine Statistik lässt sich nicht bilden, die Formel scheitert, eine Datei oder die Einstellungsdatei kann nicht gelesen oder die Ausgabe nicht geschrieben werden, oder es gibt keine Anzeige für das Fenster</translation>
    </message>
    <message>
        <source>the options are wrong</source>
        <translation>die Optionen sind falsch</translation>
    </message>
    <message>
        <source>Examples:</source>
        <translation>Beispiele:</translation>
    </message>
    <message>
        <source>the formula fails: %1</source>
        <translation>die Formel scheitert: %1</translation>
    </message>
    <message>
        <source>%1: line %2: the operator &apos;%3&apos; is none of + - x / ^, so the line counts for nothing</source>
        <translation>%1: Zeile %2: der Operator &apos;%3&apos; ist keiner von + - x / ^, die Zeile zählt also nicht</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>standard input: nothing to read</source>
        <translation>Standardeingabe: nichts zu lesen</translation>
    </message>
    <message>
        <source>--decimals takes 0 to 6 or variable, not &apos;%1&apos;</source>
        <translation>--decimals nimmt 0 bis 6 oder variable, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--mode takes numbers, average, mean (or median) or mode, not &apos;%1&apos;</source>
        <translation>--mode nimmt numbers, average, mean (oder median) oder mode, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--total needs a file name (- reads standard input)</source>
        <translation>--total braucht einen Dateinamen (- liest die Standardeingabe)</translation>
    </message>
    <message>
        <source>cannot read the settings file &apos;%1&apos;</source>
        <translation>die Einstellungsdatei &apos;%1&apos; kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the settings file &apos;%1&apos; holds no function buttons; a line that calls one gives an error word</source>
        <translation>die Einstellungsdatei &apos;%1&apos; enthält keine Funktionstasten; eine Zeile, die eine aufruft, ergibt ein Fehlerwort</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genug Speicher</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <translation>die Standardausgabe kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the write failed</source>
        <translation>das Schreiben ist gescheitert</translation>
    </message>
</context>
<context>
    <name>padrix::ControlAccessibility</name>
    <message>
        <source>Addition</source>
        <translation>Addition</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Subtraktion</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplikation</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Potenz</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Prozent</translation>
    </message>
    <message>
        <source>Change sign</source>
        <translation>Vorzeichen wechseln</translation>
    </message>
    <message>
        <source>Decimal point</source>
        <translation>Dezimaltrennzeichen</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>Gleich</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>drive</source>
        <translation>Laufwerk</translation>
    </message>
</context>
<context>
    <name>padrix::EFbutton</name>
    <message>
        <source>Function :</source>
        <translation>Funktion :</translation>
    </message>
    <message>
        <source> Function Formula :</source>
        <translation> Formel der Funktion :</translation>
    </message>
    <message>
        <source>Select button to edit:</source>
        <translation>Taste zum Bearbeiten wählen:</translation>
    </message>
    <message>
        <source>X - Represent Input(x) value to pass to the function.</source>
        <translation>X - steht für den Eingabewert (x), den die Funktion erhält.</translation>
    </message>
    <message>
        <source>T - Represent current total value pass to the function.</source>
        <translation>T - steht für die laufende Summe, die die Funktion erhält.</translation>
    </message>
    <message>
        <source>Formula Fix Values :</source>
        <translation>Feste Werte der Formel :</translation>
    </message>
    <message>
        <source>Function Tool Tip Text :</source>
        <translation>Tooltip der Funktion :</translation>
    </message>
    <message>
        <source>Edit Function Button...</source>
        <translation>Funktionstaste bearbeiten...</translation>
    </message>
    <message>
        <source>Select the function to use or create a new one...</source>
        <translation>Die Funktion wählen oder eine neue anlegen...</translation>
    </message>
    <message>
        <source>The text shown when the pointer rests on the function button...</source>
        <translation>Der Text, der erscheint, wenn der Mauszeiger auf der Funktionstaste ruht...</translation>
    </message>
    <message>
        <source>Enter the Function Formula... Example (T/10+X+1)</source>
        <translation>Die Formel der Funktion eingeben... Beispiel (T/10+X+1)</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>padrix::FunctionButtons</name>
    <message>
        <source>Empty function button %1</source>
        <translation>Leere Funktionstaste %1</translation>
    </message>
</context>
<context>
    <name>padrix::FunctionKeys</name>
    <message>
        <source>Edit function buttons...</source>
        <translation>Funktionstasten bearbeiten...</translation>
    </message>
</context>
<context>
    <name>padrix::Game</name>
    <message>
        <source>Top 20 Scores</source>
        <translation>Die 20 besten Ergebnisse</translation>
    </message>
    <message>
        <source>Invaded / Score : %1</source>
        <translation>Erobert / Punkte : %1</translation>
    </message>
    <message>
        <source>You have Scored a Top Position...</source>
        <translation>Sie haben einen Platz unter den Besten erreicht...</translation>
    </message>
    <message>
        <source>Enter your Name...</source>
        <translation>Geben Sie Ihren Namen ein...</translation>
    </message>
</context>
<context>
    <name>padrix::Keys</name>
    <message>
        <source>Decimal point...</source>
        <translation>Dezimaltrennzeichen...</translation>
    </message>
    <message>
        <source>Clear All...</source>
        <translation>Alles löschen...</translation>
    </message>
    <message>
        <source>Addition...</source>
        <translation>Addition...</translation>
    </message>
    <message>
        <source>Subtraction...</source>
        <translation>Subtraktion...</translation>
    </message>
    <message>
        <source>Multiplication...</source>
        <translation>Multiplikation...</translation>
    </message>
    <message>
        <source>Division...</source>
        <translation>Division...</translation>
    </message>
    <message>
        <source>Clear current number...</source>
        <translation>Aktuelle Zahl löschen...</translation>
    </message>
    <message>
        <source>Back space...</source>
        <translation>Rückschritt...</translation>
    </message>
    <message>
        <source>Raise a number to the power of an exponent</source>
        <translation>Eine Zahl mit einem Exponenten potenzieren</translation>
    </message>
    <message>
        <source>Value of Pi.</source>
        <translation>Der Wert von Pi.</translation>
    </message>
    <message>
        <source>Store selected value to memory...</source>
        <translation>Gewählten Wert in den Speicher legen...</translation>
    </message>
    <message>
        <source>Memory Recall...</source>
        <translation>Speicher abrufen...</translation>
    </message>
    <message>
        <source>Store total to memory...</source>
        <translation>Summe in den Speicher legen...</translation>
    </message>
</context>
<context>
    <name>padrix::LoadSave</name>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>padrix::MemoryKeys</name>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
</context>
<context>
    <name>padrix::Menus</name>
    <message>
        <source>Save Calculation...</source>
        <translation>Rechnung speichern...</translation>
    </message>
    <message>
        <source>Open Calculation...</source>
        <translation>Rechnung öffnen...</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Clear All...</source>
        <translation>Alles löschen...</translation>
    </message>
    <message>
        <source>Copy Numbers...</source>
        <translation>Zahlen kopieren...</translation>
    </message>
    <message>
        <source>Paste Numbers...</source>
        <translation>Zahlen einfügen...</translation>
    </message>
    <message>
        <source>Sort Numbers...</source>
        <translation>Zahlen sortieren...</translation>
    </message>
    <message>
        <source>Print Calculation...</source>
        <translation>Rechnung drucken...</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Dezimalstellen</translation>
    </message>
    <message>
        <source>Variable</source>
        <translation>Variabel</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Numbers...</source>
        <translation>Zahlen...</translation>
    </message>
    <message>
        <source>Average...</source>
        <translation>Mittelwert...</translation>
    </message>
    <message>
        <source>Mean...</source>
        <translation>Zentralwert...</translation>
    </message>
    <message>
        <source>Mode...</source>
        <translation>Häufigster Wert...</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Spiele</translation>
    </message>
    <message>
        <source>Start Zorb Invaders...</source>
        <translation>Zorb Invaders starten...</translation>
    </message>
    <message>
        <source>Start Zorb Blaster...</source>
        <translation>Zorb Blaster starten...</translation>
    </message>
    <message>
        <source>Restore Last Tape</source>
        <translation>Letzten Streifen wiederherstellen</translation>
    </message>
    <message>
        <source>Keep Tape Journal</source>
        <translation>Streifenprotokoll führen</translation>
    </message>
</context>
<context>
    <name>padrix::Printing</name>
    <message>
        <source>Print Calculation</source>
        <translation>Rechnung drucken</translation>
    </message>
    <message>
        <source>No printer is available. Save the printout as a PDF file instead?</source>
        <translation>Es ist kein Drucker verfügbar. Den Ausdruck stattdessen als PDF-Datei speichern?</translation>
    </message>
    <message>
        <source>Save Printout as PDF</source>
        <translation>Ausdruck als PDF speichern</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>Rechnung</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>The printout could not be started.</source>
        <translation>Der Ausdruck konnte nicht begonnen werden.</translation>
    </message>
</context>
<context>
    <name>padrix::SafeSave</name>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the file would pass the size limit of %1 bytes</source>
        <translation>die Datei würde die Größengrenze von %1 Byte überschreiten</translation>
    </message>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>der Ordner %1 existiert nicht</translation>
    </message>
    <message>
        <source>the drive is read-only</source>
        <translation>das Laufwerk ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the folder %1 is read-only</source>
        <translation>der Ordner %1 ist schreibgeschützt</translation>
    </message>
</context>
<context>
    <name>padrix::TapeJournal</name>
    <message>
        <source>%1 cannot be renamed</source>
        <translation>%1 kann nicht umbenannt werden</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>The tape journal is off for this run: %1</source>
        <translation>Das Streifenprotokoll ist für diesen Lauf aus: %1</translation>
    </message>
</context>
<context>
    <name>padrix::TapeKeeping</name>
    <message>
        <source>The journal is turned off (PADRIX_JOURNAL).</source>
        <translation>Das Protokoll ist ausgeschaltet (PADRIX_JOURNAL).</translation>
    </message>
    <message>
        <source>The calculator did not close normally. Restore the tape from %1 (%2 lines, total %3)?</source>
        <translation>Der Rechner wurde nicht normal beendet. Den Streifen vom %1 wiederherstellen (%2 Zeilen, Summe %3)?</translation>
    </message>
</context>
<context>
    <name>padrix::TapeView</name>
    <message>
        <source>Grand total</source>
        <translation>Endsumme</translation>
    </message>
    <message>
        <source>Line %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>addition</source>
        <translation>Addition</translation>
    </message>
    <message>
        <source>subtraction</source>
        <translation>Subtraktion</translation>
    </message>
    <message>
        <source>multiplication</source>
        <translation>Multiplikation</translation>
    </message>
    <message>
        <source>division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>power</source>
        <translation>Potenz</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>Operator of line %1: %2; press to change</source>
        <translation>Operator der Zeile %1: %2; drücken zum Wechseln</translation>
    </message>
</context>
</TS>
