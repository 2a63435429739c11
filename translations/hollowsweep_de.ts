<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DesktopLinks</name>
    <message>
        <source>%1 could not be opened.
This desktop has no program to open it with; xdg-open (package xdg-utils) provides one.</source>
        <translation>%1 konnte nicht geöffnet werden.
Dieser Desktop hat kein Programm, um es zu öffnen; xdg-open (Paket xdg-utils) stellt eines bereit.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>hollowsweep::app::AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Finds and removes empty folders.</source>
        <translation>Findet und entfernt leere Ordner.</translation>
    </message>
    <message>
        <source>Web: </source>
        <translation>Web: </translation>
    </message>
    <message>
        <source>Email: </source>
        <translation>E-Mail: </translation>
    </message>
</context>
<context>
    <name>hollowsweep::app::ColumnDialog</name>
    <message>
        <source>Config visible columns</source>
        <translation>Sichtbare Spalten einstellen</translation>
    </message>
    <message>
        <source>Config visible columns:</source>
        <translation>Sichtbare Spalten einstellen:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Keep at least one column visible.</source>
        <translation>Mindestens eine Spalte sichtbar lassen.</translation>
    </message>
</context>
<context>
    <name>hollowsweep::app::FilterBox</name>
    <message>
        <source>Filter by path (Ctrl+F); *, ? and [ ] match as in a glob</source>
        <translation>Nach Pfad filtern (Strg+F); *, ? und [ ] wirken wie in einem Glob</translation>
    </message>
</context>
<context>
    <name>hollowsweep::app::MainWindow</name>
    <message>
        <source>&amp;Open Folder</source>
        <translation>&amp;Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Check All</source>
        <translation>Alle &amp;markieren</translation>
    </message>
    <message>
        <source>&amp;Uncheck All</source>
        <translation>&amp;Alle abwählen</translation>
    </message>
    <message>
        <source>&amp;Delete Checked From Disk</source>
        <translation>Markierte vom Datenträger &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Options...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>The configuration could not be read: </source>
        <translation>Die Konfiguration konnte nicht gelesen werden: </translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Check Folder And Subfolders</source>
        <translation>Ordner und Unterordner markieren</translation>
    </message>
    <message>
        <source>Uncheck Folder And Subfolders</source>
        <translation>Ordner und Unterordner abwählen</translation>
    </message>
</context>
<context>
    <name>hollowsweep::app::OptionsDialog</name>
    <message>
        <source>days</source>
        <translation>Tagen</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>A folder that holds nothing but files with these names counts as empty; the files are removed with it.</source>
        <translation>Ein Ordner, der nur Dateien mit diesen Namen enthält, gilt als leer; die Dateien werden mit ihm entfernt.</translation>
    </message>
    <message>
        <source>Add Common Junk Files</source>
        <translation>Übliche Datenreste hinzufügen</translation>
    </message>
    <message>
        <source>Stay on the file system of each opened folder</source>
        <translation>Im Dateisystem des jeweils geöffneten Ordners bleiben</translation>
    </message>
    <message>
        <source>Only folders not modified for at least</source>
        <translation>Nur Ordner, unverändert seit mindestens</translation>
    </message>
    <message>
        <source>&amp;Skip folders named (one name or pattern a line):</source>
        <translation>Ordner &amp;überspringen, die so heißen (ein Name oder Muster je Zeile):</translation>
    </message>
    <message>
        <source>&amp;Junk files, removed with a folder that holds nothing else:</source>
        <translation>&amp;Datenreste, die mit einem sonst leeren Ordner entfernt werden:</translation>
    </message>
    <message>
        <source>Removal</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Move to the desktop&apos;s trash instead of removing</source>
        <translation>In den Papierkorb verschieben statt zu entfernen</translation>
    </message>
    <message>
        <source>The stored options could not be read: </source>
        <translation>Die gespeicherten Einstellungen konnten nicht gelesen werden: </translation>
    </message>
    <message>
        <source>

The options show as unset; OK replaces the stored ones.</source>
        <translation>

Die Einstellungen erscheinen als nicht gesetzt; OK ersetzt die gespeicherten.</translation>
    </message>
    <message>
        <source>The options could not be stored: </source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>

They apply until the program closes.</source>
        <translation>

Sie gelten, bis das Programm beendet wird.</translation>
    </message>
    <message>
        <source>Folders with these names are neither listed nor removed, and neither is anything below them. * and ? match any text and any one character. A pattern with a / matches the whole path, as */.git/* or /home/*/.cache.</source>
        <translation>Ordner mit diesen Namen werden weder aufgeführt noch entfernt, ebenso nichts unter ihnen. * steht für beliebigen Text, ? für ein beliebiges Zeichen. Ein Muster mit / passt auf den ganzen Pfad, etwa */.git/* oder /home/*/.cache.</translation>
    </message>
    <message>
        <source>&amp;Keep folders that other programs need</source>
        <translation>Ordner &amp;behalten, die andere Programme brauchen</translation>
    </message>
    <message>
        <source>Empty folders that programs rely on are neither listed nor removed: version control data (git, Mercurial, Subversion, ...), git submodules, mail folders (Maildir), database files (PostgreSQL), mount points and lost+found, folders of installed packages, and system file systems. Removing them would break those programs. Clear this only to treat every folder alike.</source>
        <translation>Leere Ordner, auf die sich Programme verlassen, werden weder aufgeführt noch entfernt: Daten der Versionsverwaltung (Git, Mercurial, Subversion, ...), Git-Submodule, Mail-Ordner (Maildir), Datenbankdateien (PostgreSQL), Einhängepunkte und lost+found, Ordner installierter Pakete und Systemdateisysteme. Sie zu entfernen, würde diese Programme stören. Nur abwählen, um jeden Ordner gleich zu behandeln.</translation>
    </message>
</context>
<context>
    <name>hollowsweep::app::ResultListModel</name>
    <message>
        <source>Double click to open it in explorer.</source>
        <translation>Doppelklick öffnet den Ordner in der Dateiverwaltung.</translation>
    </message>
    <message>
        <source>
Not removed: </source>
        <translation>
Nicht entfernt: </translation>
    </message>
</context>
<context>
    <name>hollowsweep::app::WaitWindow</name>
    <message>
        <source>This will take a few minutes.Please be patient...</source>
        <translation>Das kann einige Minuten dauern. Bitte etwas Geduld...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancelling..</source>
        <translation>Wird abgebrochen..</translation>
    </message>
</context>
</TS>
