<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DeckCommand</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot read the finished file %1: %2</source>
        <translation>die fertige Datei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Fills the Quillora marketing-plan template with a plan and writes the deck to OUT.
Without --plan it uses the plan stored by the Quillora window for this user.</source>
        <translation>Füllt die Marketingplan-Vorlage von Quillora mit einem Plan und schreibt den Foliensatz nach OUT.
Ohne --plan wird der Plan verwendet, den das Quillora-Fenster für diesen Benutzer gespeichert hat.</translation>
    </message>
    <message>
        <source>The template deck to fill (default: %1).</source>
        <translation>Die zu füllende Vorlage (Standard: %1).</translation>
    </message>
    <message>
        <source>Read the plan from this JSON file instead of the stored plan.</source>
        <translation>Den Plan aus dieser JSON-Datei lesen statt aus dem gespeicherten Plan.</translation>
    </message>
    <message>
        <source>Write the filled deck here (required). The format follows the name: an OUT ending in .pdf gets the deck as a PDF, through LibreOffice; any other name gets a .pptx deck. OUT is never the template or the plan file, and an existing OUT you may not write is left alone.</source>
        <translation>Den gefüllten Foliensatz hierhin schreiben (erforderlich). Das Format richtet sich nach dem Namen: Endet OUT auf .pdf, entsteht der Foliensatz über LibreOffice als PDF; jeder andere Name ergibt einen .pptx-Foliensatz. OUT ist nie die Vorlage oder die Plandatei, und eine vorhandene Datei OUT, die Sie nicht schreiben dürfen, bleibt unverändert.</translation>
    </message>
    <message>
        <source>Also write OUT with .pdf in place of .pptx, through LibreOffice (nothing more when OUT ends in .pdf).</source>
        <translation>Zusätzlich OUT mit .pdf statt .pptx über LibreOffice schreiben (nichts weiter, wenn OUT auf .pdf endet).</translation>
    </message>
    <message>
        <source> (see --help)</source>
        <translation> (siehe --help)</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot; (see --help)</source>
        <translation>unerwartetes Argument „%1“ (siehe --help)</translation>
    </message>
    <message>
        <source>no output file given; name one with -o OUT.pptx</source>
        <translation>keine Ausgabedatei angegeben; nennen Sie eine mit -o OUT.pptx</translation>
    </message>
    <message>
        <source>--%1 was given more than once</source>
        <translation>--%1 wurde mehr als einmal angegeben</translation>
    </message>
    <message>
        <source>the output folder %1 does not exist</source>
        <translation>der Ausgabeordner %1 existiert nicht</translation>
    </message>
    <message>
        <source>the output folder %1 is not writable</source>
        <translation>in den Ausgabeordner %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the template %1 does not exist</source>
        <translation>die Vorlage %1 existiert nicht</translation>
    </message>
    <message>
        <source>cannot read the template %1: %2</source>
        <translation>die Vorlage %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the template %1 is not a presentation (.pptx) file</source>
        <translation>die Vorlage %1 ist keine Präsentationsdatei (.pptx)</translation>
    </message>
    <message>
        <source>cannot create the working folder %1</source>
        <translation>der Arbeitsordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the template </source>
        <translation>die Vorlage </translation>
    </message>
    <message>
        <source>the deck could not be filled: %1 (%2, step %3)</source>
        <translation>der Foliensatz konnte nicht gefüllt werden: %1 (%2, Schritt %3)</translation>
    </message>
    <message>
        <source>, and 1 more error</source>
        <translation>, dazu 1 weiterer Fehler</translation>
    </message>
    <message>
        <source>, and %1 more errors</source>
        <translation>, dazu %1 weitere Fehler</translation>
    </message>
    <message>
        <source>no output file was given</source>
        <translation>es wurde keine Ausgabedatei angegeben</translation>
    </message>
    <message>
        <source>LibreOffice is not installed (no &quot;soffice&quot; on the PATH), so no PDF can be written; install the libreoffice-impress package or %1</source>
        <translation>LibreOffice ist nicht installiert (kein „soffice“ im PATH), daher kann kein PDF geschrieben werden; installieren Sie das Paket libreoffice-impress oder %1</translation>
    </message>
    <message>
        <source>name an output ending in .pptx</source>
        <translation>nennen Sie eine Ausgabe, die auf .pptx endet</translation>
    </message>
    <message>
        <source>leave out --pdf</source>
        <translation>lassen Sie --pdf weg</translation>
    </message>
    <message>
        <source>the deck generator finished without producing a deck</source>
        <translation>der Foliensatz-Generator endete, ohne einen Foliensatz zu erzeugen</translation>
    </message>
    <message>
        <source>cannot create a temporary folder: %1</source>
        <translation>ein temporärer Ordner kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>cannot write the deck for PDF conversion: %1</source>
        <translation>der Foliensatz für die PDF-Umwandlung kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the filled deck could not be written: </source>
        <translation>der gefüllte Foliensatz konnte nicht geschrieben werden: </translation>
    </message>
    <message>
        <source>the output %1 exists and you may not write to it, so it was left as it is</source>
        <translation>die Ausgabe %1 existiert und Sie dürfen sie nicht schreiben, daher blieb sie unverändert</translation>
    </message>
    <message>
        <source>the output %1 is a folder, not a file</source>
        <translation>die Ausgabe %1 ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>cannot create the folder &quot;%1&quot; for the PDF</source>
        <translation>der Ordner „%1“ für das PDF kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot prepare the deck for PDF conversion in &quot;%1&quot;</source>
        <translation>der Foliensatz kann in „%1“ nicht für die PDF-Umwandlung vorbereitet werden</translation>
    </message>
    <message>
        <source>Converting to PDF with LibreOffice...</source>
        <translation>Umwandlung in PDF mit LibreOffice …</translation>
    </message>
    <message>
        <source>Converting to PDF with LibreOffice... %1 s</source>
        <translation>Umwandlung in PDF mit LibreOffice … %1 s</translation>
    </message>
    <message>
        <source>LibreOffice (&quot;%1&quot;) could not be started: %2</source>
        <translation>LibreOffice („%1“) konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>LibreOffice did not finish the PDF within %1 seconds and was stopped</source>
        <translation>LibreOffice hat das PDF nicht innerhalb von %1 Sekunden fertiggestellt und wurde beendet</translation>
    </message>
    <message>
        <source>LibreOffice could not convert the deck to PDF (exit status %1%2)</source>
        <translation>LibreOffice konnte den Foliensatz nicht in PDF umwandeln (Rückgabewert %1%2)</translation>
    </message>
    <message>
        <source>Close the Quillora window first: it holds the plan you are about to replace.</source>
        <translation>Schließen Sie zuerst das Quillora-Fenster: Es enthält den Plan, den Sie ersetzen möchten.</translation>
    </message>
    <message>
        <source>%1%2 cannot be combined with --check-template, --export-plan, --import-plan, --history or --restore (see --help)</source>
        <translation>%1%2 kann nicht mit --check-template, --export-plan, --import-plan, --history oder --restore kombiniert werden (siehe --help)</translation>
    </message>
    <message>
        <source>give one of --check-template, --export-plan, --import-plan, --history and --restore, once</source>
        <translation>geben Sie genau eine der Optionen --check-template, --export-plan, --import-plan, --history und --restore an, und nur einmal</translation>
    </message>
    <message>
        <source>List the plans kept in the history (%1), newest first, numbered for --restore.</source>
        <translation>Die im Verlauf (%1) aufbewahrten Pläne auflisten, die neuesten zuerst, nummeriert für --restore.</translation>
    </message>
    <message>
        <source>Store the plan numbered N in the --history list; the stored plan is kept in the history first.</source>
        <translation>Den Plan mit der Nummer N aus der Liste von --history speichern; der gespeicherte Plan wird zuvor im Verlauf aufbewahrt.</translation>
    </message>
    <message>
        <source>there is no plan numbered %1 in the history (see --history)</source>
        <translation>im Verlauf gibt es keinen Plan mit der Nummer %1 (siehe --history)</translation>
    </message>
    <message>
        <source>Restored the plan kept at %1; the plan it replaced is kept in the history.</source>
        <translation>Der am %1 aufbewahrte Plan wurde wiederhergestellt; der ersetzte Plan ist im Verlauf aufbewahrt.</translation>
    </message>
    <message>
        <source>Used as --check-template [FILE]: list what the template FILE (default: the one used without --template) lacks of what the plan is written into; exit 0 when nothing is missing, 2 when something is.</source>
        <translation>Als --check-template [FILE]: auflisten, was der Vorlage FILE (Standard: die ohne --template verwendete) von dem fehlt, in das der Plan geschrieben wird; Rückgabewert 0, wenn nichts fehlt, 2, wenn etwas fehlt.</translation>
    </message>
    <message>
        <source>The template --check-template checks.</source>
        <translation>Die Vorlage, die --check-template prüft.</translation>
    </message>
    <message>
        <source>Write the stored plan to this plan file.</source>
        <translation>Den gespeicherten Plan in diese Plandatei schreiben.</translation>
    </message>
    <message>
        <source>Store the plan from this plan file; the stored plan is kept first in %1.</source>
        <translation>Den Plan aus dieser Plandatei speichern; der bisher gespeicherte Plan wird vorher in %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>the stored plan cannot be read from %1: %2</source>
        <translation>der gespeicherte Plan kann nicht aus %1 gelesen werden: %2</translation>
    </message>
    <message>
        <source>Stored the plan from %1.</source>
        <translation>Der Plan aus %1 wurde gespeichert.</translation>
    </message>
    <message>
        <source>Stored the plan from %1; the plan it replaced is kept in %2.</source>
        <translation>Der Plan aus %1 wurde gespeichert; der ersetzte Plan ist in %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>the template %1 is %2, not a file</source>
        <translation>die Vorlage %1 ist %2, keine Datei</translation>
    </message>
    <message>
        <source>%1 does not go with --check-fit, which takes only --plan and --template (see --help)</source>
        <translation>%1 passt nicht zu --check-fit, das nur --plan und --template nimmt (siehe --help)</translation>
    </message>
    <message>
        <source>no shape to write into (see --check-template)</source>
        <translation>keine Form, in die geschrieben werden kann (siehe --check-template)</translation>
    </message>
    <message>
        <source>1 line over; the shape does not shrink its text</source>
        <translation>1 Zeile zu viel; die Form verkleinert ihren Text nicht</translation>
    </message>
    <message>
        <source>%1 lines over; the shape does not shrink its text</source>
        <translation>%1 Zeilen zu viel; die Form verkleinert ihren Text nicht</translation>
    </message>
    <message>
        <source>1 line over at %1 %</source>
        <translation>1 Zeile zu viel bei %1 %</translation>
    </message>
    <message>
        <source>%1 lines over at %2 %</source>
        <translation>%1 Zeilen zu viel bei %2 %</translation>
    </message>
    <message>
        <source>fits</source>
        <translation>passt</translation>
    </message>
    <message>
        <source>100 % (line spacing %1 % less)</source>
        <translation>100 % (Zeilenabstand %1 % kleiner)</translation>
    </message>
    <message>
        <source>Fill the template with the plan in memory and print, for each section, whether its text fits its slide, the scale it shrinks to, or how many lines it is over at %1 %; exit 0 when every section fits at %1 % or more, 2 when one does not, 1 on bad input. Goes with --plan and --template only.</source>
        <translation>Die Vorlage im Speicher mit dem Plan füllen und für jeden Abschnitt ausgeben, ob sein Text auf seine Folie passt, auf welche Größe er verkleinert wird oder wie viele Zeilen er bei %1 % zu lang ist; Rückgabewert 0, wenn jeder Abschnitt bei %1 % oder mehr passt, 2, wenn einer nicht passt, 1 bei fehlerhafter Eingabe. Nur mit --plan und --template kombinierbar.</translation>
    </message>
    <message>
        <source>slide %1, %2: %3</source>
        <translation>Folie %1, %2: %3</translation>
    </message>
    <message>
        <source>the filled deck cannot be laid out: %1</source>
        <translation>der Text des gefüllten Foliensatzes kann nicht gesetzt werden: %1</translation>
    </message>
    <message>
        <source>%1%2 does not go with --read-deck, which takes only -o and --template (see --help)</source>
        <translation>%1%2 passt nicht zu --read-deck, das nur -o und --template nimmt (siehe --help)</translation>
    </message>
    <message>
        <source>left out of the plan: %1</source>
        <translation>im Plan ausgelassen: %1</translation>
    </message>
    <message>
        <source>Print the plan the deck DECK holds as a plan file, or write it to -o FILE. A deck that is not .pptx (.odp, .ppt) is converted by LibreOffice first. Exit 3 when a section&apos;s shape was not found: it is named and its section left out.</source>
        <translation>Den Plan, den der Foliensatz DECK enthält, als Plandatei ausgeben oder mit -o DATEI schreiben. Einen Foliensatz, der keine .pptx ist (.odp, .ppt), wandelt zuerst LibreOffice um. Status 3, wenn die Form eines Abschnitts nicht gefunden wurde: Sie wird genannt und ihr Abschnitt ausgelassen.</translation>
    </message>
    <message>
        <source>the deck %1 does not exist</source>
        <translation>den Foliensatz %1 gibt es nicht</translation>
    </message>
    <message>
        <source>the deck %1 is %2, not a file</source>
        <translation>der Foliensatz %1 ist %2, keine Datei</translation>
    </message>
    <message>
        <source>cannot read the deck %1: %2</source>
        <translation>der Foliensatz %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the deck %1 cannot be read: %2</source>
        <translation>der Foliensatz %1 ist nicht lesbar: %2</translation>
    </message>
    <message>
        <source>--pdf does not go with --preview (see --help)</source>
        <translation>--pdf passt nicht zu --preview (siehe --help)</translation>
    </message>
    <message>
        <source>--preview takes a slide number, not &quot;%1&quot;</source>
        <translation>--preview nimmt eine Foliennummer, nicht „%1“</translation>
    </message>
    <message>
        <source>--width takes a number of pixels from %1 to %2, not &quot;%3&quot;</source>
        <translation>--width nimmt eine Pixelzahl von %1 bis %2, nicht „%3“</translation>
    </message>
    <message>
        <source>--width goes only with --preview (see --help)</source>
        <translation>--width geht nur zusammen mit --preview (siehe --help)</translation>
    </message>
    <message>
        <source>Write slide N of the filled deck as a PNG picture to OUT instead of the deck, drawn as the window&apos;s preview draws it (see --width).</source>
        <translation>Folie N des gefüllten Foliensatzes statt des Foliensatzes als PNG-Bild nach OUT schreiben, so gezeichnet, wie die Vorschau des Fensters sie zeichnet (siehe --width).</translation>
    </message>
    <message>
        <source>With --preview: the picture&apos;s width in pixels, %1 to %2 (default %3); its height keeps the slide&apos;s proportions.</source>
        <translation>Mit --preview: die Breite des Bildes in Pixeln, %1 bis %2 (Standard %3); die Höhe folgt den Proportionen der Folie.</translation>
    </message>
    <message>
        <source>there is no slide %1: the filled deck has slides 1 to %2</source>
        <translation>es gibt keine Folie %1: der gefüllte Foliensatz hat die Folien 1 bis %2</translation>
    </message>
    <message>
        <source>the picture of slide %1 could not be made</source>
        <translation>das Bild von Folie %1 konnte nicht erzeugt werden</translation>
    </message>
    <message>
        <source>the filled deck cannot be drawn: %1</source>
        <translation>der gefüllte Foliensatz kann nicht gezeichnet werden: %1</translation>
    </message>
    <message>
        <source>A section too long to read on its slide (below %1 %) goes on over copies of its slide placed right after it, titled &quot;… (continued)&quot;, split between points.</source>
        <translation>Ein Abschnitt, der auf seiner Folie zu klein gesetzt würde (unter %1 %), wird auf Kopien seiner Folie direkt dahinter fortgesetzt, mit dem Titel „… (Fortsetzung)“, geteilt zwischen Punkten.</translation>
    </message>
</context>
<context>
    <name>DeckEditsDialog</name>
    <message>
        <source>Bring Back Edits from a Deck</source>
        <translation>Änderungen aus einem Foliensatz zurückholen</translation>
    </message>
    <message>
        <source>The deck differs from your plan in these parts. Nothing is changed until you take them; the plan you have now is kept in the history first.</source>
        <translation>Der Foliensatz weicht in diesen Teilen von Ihrem Plan ab. Nichts wird geändert, bevor Sie sie übernehmen; der jetzige Plan wird zuvor im Verlauf aufbewahrt.</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>Teil</translation>
    </message>
    <message>
        <source>In your plan</source>
        <translation>In Ihrem Plan</translation>
    </message>
    <message>
        <source>In the deck</source>
        <translation>Im Foliensatz</translation>
    </message>
    <message>
        <source>Changed parts</source>
        <translation>Geänderte Teile</translation>
    </message>
    <message>
        <source>Not found in the deck, and left as they are:
%1</source>
        <translation>Im Foliensatz nicht gefunden und unverändert gelassen:
%1</translation>
    </message>
    <message>
        <source>Take Chosen</source>
        <translation>Gewählte übernehmen</translation>
    </message>
</context>
<context>
    <name>DeckHandOff</name>
    <message>
        <source>The presentation could not be written:<byte value="xd"/>
</source>
        <translation>Die Präsentation konnte nicht geschrieben werden:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>The presentation was written to:<byte value="xd"/>
</source>
        <translation>Die Präsentation wurde gespeichert unter:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
No program on this computer opened it. Open it with a presentation program to edit and present it.</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
Kein Programm auf diesem Computer hat sie geöffnet. Öffnen Sie sie mit einem Präsentationsprogramm, um sie zu bearbeiten und vorzuführen.</translation>
    </message>
</context>
<context>
    <name>DeckReader</name>
    <message>
        <source>no shape named %1 with text</source>
        <translation>keine Form namens %1 mit Text</translation>
    </message>
    <message>
        <source>no shape number %1 with text</source>
        <translation>keine Form Nummer %1 mit Text</translation>
    </message>
    <message>
        <source>slide %1, %2: %3</source>
        <translation>Folie %1, %2: %3</translation>
    </message>
    <message>
        <source>%1: no slide has that title, and slide %2 is missing or belongs to another section</source>
        <translation>%1: keine Folie trägt diesen Titel, und Folie %2 fehlt oder gehört zu einem anderen Abschnitt</translation>
    </message>
    <message>
        <source>the product name</source>
        <translation>der Produktname</translation>
    </message>
    <message>
        <source>the plan title</source>
        <translation>der Plantitel</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>at line </source>
        <translation>in Zeile </translation>
    </message>
    <message>
        <source>Please email screenshot of this message to </source>
        <translation>Bitte senden Sie ein Bildschirmfoto dieser Meldung per E-Mail an </translation>
    </message>
    <message>
        <source>Application Error</source>
        <translation>Anwendungsfehler</translation>
    </message>
</context>
<context>
    <name>FitMeter</name>
    <message>
        <source>Fits its slide</source>
        <translation>Passt auf ihre Folie</translation>
    </message>
    <message>
        <source>Shrinks to %1 % to fit its slide</source>
        <translation>Wird auf %1 % verkleinert, damit sie auf ihre Folie passt</translation>
    </message>
    <message>
        <source>Too long for its slide: about 1 line over at the smallest size</source>
        <translation>Zu lang für ihre Folie: etwa 1 Zeile zu viel bei der kleinsten Größe</translation>
    </message>
    <message>
        <source>Too long for its slide: about %1 lines over at the smallest size</source>
        <translation>Zu lang für ihre Folie: etwa %1 Zeilen zu viel bei der kleinsten Größe</translation>
    </message>
</context>
<context>
    <name>MarketingPlanGenerator</name>
    <message>
        <source> (continued)</source>
        <translation> (Fortsetzung)</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Save Plan As…</source>
        <translation>Plan speichern unter…</translation>
    </message>
    <message>
        <source>Close Without Saving</source>
        <translation>Ohne Speichern schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>OfficeConversion</name>
    <message>
        <source>cannot prepare LibreOffice&apos;s settings in &quot;%1&quot;: %2</source>
        <translation>die Einstellungen für LibreOffice in „%1“ können nicht vorbereitet werden: %2</translation>
    </message>
    <message>
        <source>the deck %1 is not a .pptx deck, and LibreOffice, which would convert it, is not installed</source>
        <translation>der Foliensatz %1 ist kein .pptx-Foliensatz, und LibreOffice, das ihn umwandeln würde, ist nicht installiert</translation>
    </message>
    <message>
        <source>cannot prepare the deck for conversion in %1</source>
        <translation>der Foliensatz kann in %1 nicht zum Umwandeln vorbereitet werden</translation>
    </message>
    <message>
        <source>LibreOffice could not convert the deck %1 to .pptx</source>
        <translation>LibreOffice konnte den Foliensatz %1 nicht in .pptx umwandeln</translation>
    </message>
    <message>
        <source>the conversion of the deck %1 was stopped</source>
        <translation>die Umwandlung des Foliensatzes %1 wurde abgebrochen</translation>
    </message>
</context>
<context>
    <name>OfficeServerChoice</name>
    <message>
        <source>LibreOffice Impress: %1; the built-in engine makes the deck</source>
        <translation>LibreOffice Impress: %1; der Foliensatz entsteht mit dem eingebauten Modul</translation>
    </message>
    <message>
        <source>: not found</source>
        <translation>: nicht gefunden</translation>
    </message>
    <message>
        <source>: not a Quillora office plugin of this version</source>
        <translation>: kein Office-Plugin dieser Quillora-Version</translation>
    </message>
    <message>
        <source>The LibreOffice Impress plugin could not be loaded.</source>
        <translation>Das Plugin für LibreOffice Impress konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>LibreOffice Impress is not installed (the soffice program was not found).</source>
        <translation>LibreOffice Impress ist nicht installiert (das Programm soffice wurde nicht gefunden).</translation>
    </message>
    <message>
        <source>%1=%2 asks for LibreOffice Impress, which cannot be used:<byte value="xd"/>
</source>
        <translation>%1=%2 verlangt LibreOffice Impress, das nicht verwendet werden kann:<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>PlanFile</name>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>eine Zahl</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>einen Text</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>ein Array</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>ein Objekt</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>line %1, column %2</source>
        <translation>Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <source>the plan file %1 %2</source>
        <translation>die Plandatei %1 %2</translation>
    </message>
    <message>
        <source>names an unknown section %1</source>
        <translation>nennt einen unbekannten Abschnitt %1</translation>
    </message>
    <message>
        <source> (did you mean %1?)</source>
        <translation> (meinten Sie %1?)</translation>
    </message>
    <message>
        <source> (sections are named by their tab caption, such as &quot;Market Summary&quot;, or by their setting key, such as &quot;FirstStatementMkt_0&quot;)</source>
        <translation> (Abschnitte werden mit ihrer englischen Reiterbeschriftung benannt, etwa „Market Summary“, oder mit ihrem Einstellungsschlüssel, etwa „FirstStatementMkt_0“)</translation>
    </message>
    <message>
        <source>has %1 as %2 where a string belongs</source>
        <translation>enthält %1 als %2, wo ein Text stehen muss</translation>
    </message>
    <message>
        <source>has %1 for section %2 where a string or an array of strings belongs</source>
        <translation>enthält %1 für den Abschnitt %2, wo ein Text oder ein Array von Texten stehen muss</translation>
    </message>
    <message>
        <source>has %1 as line %2 of section %3 where a string belongs</source>
        <translation>enthält %1 als Zeile %2 des Abschnitts %3, wo ein Text stehen muss</translation>
    </message>
    <message>
        <source>is not valid JSON (%1 at %2)</source>
        <translation>ist kein gültiges JSON (%1 bei %2)</translation>
    </message>
    <message>
        <source>must hold one JSON object, not %1</source>
        <translation>muss genau ein JSON-Objekt enthalten, nicht %1</translation>
    </message>
    <message>
        <source>has %1 as &quot;sections&quot; where an object belongs</source>
        <translation>enthält %1 als „sections“, wo ein Objekt stehen muss</translation>
    </message>
    <message>
        <source>names section %1 twice (by caption and by setting key)</source>
        <translation>nennt den Abschnitt %1 zweimal (mit Beschriftung und mit Einstellungsschlüssel)</translation>
    </message>
    <message>
        <source>cannot read the plan file &quot;%1&quot;: %2</source>
        <translation>die Plandatei „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the plan file &quot;%1&quot; is larger than %2 MiB, more than any plan needs</source>
        <translation>die Plandatei „%1“ ist größer als %2 MiB, mehr als jeder Plan braucht</translation>
    </message>
    <message>
        <source>a bare value</source>
        <translation>einen einzelnen Wert</translation>
    </message>
    <message>
        <source>has the field %1 twice</source>
        <translation>enthält das Feld %1 zweimal</translation>
    </message>
    <message>
        <source>has %1 twice in %2</source>
        <translation>enthält %1 zweimal in %2</translation>
    </message>
    <message>
        <source>has an unknown field %1 (known fields: &quot;productName&quot;, &quot;planTitle&quot;, &quot;sections&quot;, &quot;lineBreaks&quot;)</source>
        <translation>enthält ein unbekanntes Feld %1 (bekannte Felder: „productName“, „planTitle“, „sections“, „lineBreaks“)</translation>
    </message>
    <message>
        <source>has %1 as &quot;lineBreaks&quot; where only &quot;exact&quot; belongs</source>
        <translation>enthält %1 als „lineBreaks“, wo nur „exact“ stehen darf</translation>
    </message>
    <message>
        <source>the plan file %1 is a folder, not a file</source>
        <translation>die Plandatei %1 ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>the plan file %1 may not be written</source>
        <translation>die Plandatei %1 darf nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot write the plan file %1: %2</source>
        <translation>die Plandatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write the plan backup %1: %2</source>
        <translation>die Sicherungskopie des Plans %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>there is no folder to keep the replaced plan in (no home folder)</source>
        <translation>es gibt keinen Ordner, in dem der ersetzte Plan aufbewahrt werden kann (kein Benutzerordner)</translation>
    </message>
    <message>
        <source>there is no folder to keep the plan&apos;s history in (no home folder)</source>
        <translation>es gibt keinen Ordner, in dem der Verlauf des Plans aufbewahrt werden kann (kein Benutzerordner)</translation>
    </message>
    <message>
        <source>cannot create the folder %1 for the plan&apos;s history</source>
        <translation>der Ordner %1 für den Verlauf des Plans kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot keep the plan in the history as %1: %2</source>
        <translation>der Plan kann nicht als %1 im Verlauf aufbewahrt werden: %2</translation>
    </message>
    <message>
        <source>product name</source>
        <translation>Produktname</translation>
    </message>
    <message>
        <source>plan title</source>
        <translation>Plantitel</translation>
    </message>
    <message>
        <source>cannot create the folder %1 for the replaced plan</source>
        <translation>der Ordner %1 für den ersetzten Plan kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the plan file &quot;%1&quot; is %2, not a file</source>
        <translation>die Plandatei „%1“ ist %2, keine Datei</translation>
    </message>
    <message>
        <source>(no product name)</source>
        <translation>(kein Produktname)</translation>
    </message>
    <message>
        <source>changed: %1</source>
        <translation>geändert: %1</translation>
    </message>
    <message>
        <source>the oldest kept</source>
        <translation>der älteste aufbewahrte</translation>
    </message>
</context>
<context>
    <name>PowerPointChecks</name>
    <message>
        <source>File &gt; Exit LibreOffice in any of its windows, or end soffice.bin in the system monitor,</source>
        <translation>„Datei &gt; LibreOffice beenden“ in einem seiner Fenster oder beenden Sie soffice.bin in der Systemüberwachung</translation>
    </message>
    <message>
        <source>your presentation program</source>
        <translation>Ihr Präsentationsprogramm</translation>
    </message>
    <message>
        <source>its File menu, or close all its windows,</source>
        <translation>dessen Menü „Datei“ oder schließen Sie alle seine Fenster</translation>
    </message>
    <message>
        <source>%2 is not installed on this computer. You need to have it installed to use this software without error.</source>
        <translation>%2 ist auf diesem Computer nicht installiert. Damit diese Software fehlerfrei arbeitet, muss es installiert sein.</translation>
    </message>
    <message>
        <source>%2 may be open. It is recommended that you close %1 first.<byte value="xd"/>Use %3 if necessary.<byte value="xd"/>
<byte value="xd"/>
Would you like to proceed anyway?</source>
        <translation>%2 ist möglicherweise geöffnet. Es wird empfohlen, %1 zuerst zu schließen.<byte value="xd"/>Nutzen Sie bei Bedarf %3.<byte value="xd"/>
<byte value="xd"/>
Möchten Sie trotzdem fortfahren?</translation>
    </message>
</context>
<context>
    <name>ProgressDescription</name>
    <message>
        <source>Creating the template: %1% done</source>
        <translation>Foliensatz wird erstellt: %1 % abgeschlossen</translation>
    </message>
</context>
<context>
    <name>Quoted</name>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>„%1“</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>eine benannte Pipe</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>eine Spezialdatei</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Geräte-E/A-Fehler</translation>
    </message>
    <message>
        <source>Object variable not set</source>
        <translation>Objektvariable nicht festgelegt</translation>
    </message>
    <message>
        <source>The specified value is out of range.</source>
        <translation>Der angegebene Wert liegt außerhalb des zulässigen Bereichs.</translation>
    </message>
    <message>
        <source>Item %1 not found in the Shapes collection.</source>
        <translation>Element %1 wurde in der Shapes-Auflistung nicht gefunden.</translation>
    </message>
    <message>
        <source>ActiveX component can&apos;t create object</source>
        <translation>ActiveX-Komponente kann kein Objekt erstellen</translation>
    </message>
    <message>
        <source>This shape does not have a text frame</source>
        <translation>Diese Form hat keinen Textrahmen</translation>
    </message>
    <message>
        <source>No presentation is open from %1</source>
        <translation>Aus %1 ist keine Präsentation geöffnet</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Invalid file format</source>
        <translation>Ungültiges Dateiformat</translation>
    </message>
    <message>
        <source>LibreOffice Impress could not open the presentation %1</source>
        <translation>LibreOffice Impress konnte die Präsentation %1 nicht öffnen</translation>
    </message>
    <message>
        <source>LibreOffice Impress refused the call</source>
        <translation>LibreOffice Impress hat den Aufruf abgelehnt</translation>
    </message>
    <message>
        <source>The pipe &quot;%1&quot; is held by a program that is not LibreOffice (%2)</source>
        <translation>Die Pipe „%1“ gehört einem Programm, das nicht LibreOffice ist (%2)</translation>
    </message>
    <message>
        <source>Nothing answered on the pipe &quot;%1&quot; in time</source>
        <translation>Auf der Pipe „%1“ kam nicht rechtzeitig eine Antwort</translation>
    </message>
    <message>
        <source>LibreOffice could not be started</source>
        <translation>LibreOffice konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>LibreOffice ended without answering on the pipe &quot;%1&quot;</source>
        <translation>LibreOffice wurde beendet, ohne auf der Pipe „%1“ zu antworten</translation>
    </message>
    <message>
        <source>LibreOffice Impress did not answer within %1 seconds</source>
        <translation>LibreOffice Impress hat nicht innerhalb von %1 Sekunden geantwortet</translation>
    </message>
    <message>
        <source>%1 is %2, not a file</source>
        <translation>%1 ist %2, keine Datei</translation>
    </message>
    <message>
        <source>This slide does not contain a title.</source>
        <translation>Diese Folie enthält keinen Titel.</translation>
    </message>
</context>
<context>
    <name>Section</name>
    <message>
        <source>Market Summary</source>
        <translation>Marktübersicht</translation>
    </message>
    <message>
        <source>Product Definition</source>
        <translation>Produktdefinition</translation>
    </message>
    <message>
        <source>Competition</source>
        <translation>Wettbewerb</translation>
    </message>
    <message>
        <source>Positioning</source>
        <translation>Positionierung</translation>
    </message>
    <message>
        <source>Communication Strategies</source>
        <translation>Kommunikationsstrategien</translation>
    </message>
    <message>
        <source>Packaging and Fulfillment</source>
        <translation>Verpackung und Auftragsabwicklung</translation>
    </message>
    <message>
        <source>Launch  Strategies</source>
        <translation>Einführungsstrategien</translation>
    </message>
    <message>
        <source>Public Relations</source>
        <translation>Öffentlichkeitsarbeit</translation>
    </message>
    <message>
        <source>Advertising</source>
        <translation>Werbung</translation>
    </message>
    <message>
        <source>Other Promotion</source>
        <translation>Weitere Verkaufsförderung</translation>
    </message>
    <message>
        <source>Pricing</source>
        <translation>Preisgestaltung</translation>
    </message>
    <message>
        <source>Distribution</source>
        <translation>Vertrieb</translation>
    </message>
    <message>
        <source>Vertical Markets/Segments</source>
        <translation>Vertikale Märkte/Segmente</translation>
    </message>
    <message>
        <source>International</source>
        <translation>International</translation>
    </message>
    <message>
        <source>Success Metrics</source>
        <translation>Erfolgskennzahlen</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
</context>
<context>
    <name>SectionHint</name>
    <message>
        <source>Market: past, present, &amp; future<byte value="xd"/>
- Review changes in market share, leadership, players, market shifts, costs, pricing, competition</source>
        <translation>Markt: Vergangenheit, Gegenwart und Zukunft<byte value="xd"/>
- Veränderungen bei Marktanteilen, Marktführerschaft, Anbietern, Marktverschiebungen, Kosten, Preisen und Wettbewerb darstellen</translation>
    </message>
    <message>
        <source>Describe product/service being marketed.</source>
        <translation>Das zu vermarktende Produkt oder die zu vermarktende Dienstleistung beschreiben.</translation>
    </message>
    <message>
        <source>The competitive landscape<byte value="xd"/>
- Provide an overview of product competitors, their strengths and weaknesses<byte value="xd"/>
- Position each competitor’s product against new product</source>
        <translation>Das Wettbewerbsumfeld<byte value="xd"/>
- Überblick über die Wettbewerber, ihre Stärken und Schwächen<byte value="xd"/>
- Das Produkt jedes Wettbewerbers gegenüber dem neuen Produkt positionieren</translation>
    </message>
    <message>
        <source>Positioning of product or service.<byte value="xd"/>
- Statement that distinctly defines the product in its market and against its competition over time.<byte value="xd"/>
Consumer promise.<byte value="xd"/>
- Statement summarizing the benefit of the product or service to the consumer.</source>
        <translation>Positionierung des Produkts oder der Dienstleistung.<byte value="xd"/>
- Aussage, die das Produkt in seinem Markt und gegenüber dem Wettbewerb dauerhaft klar abgrenzt.<byte value="xd"/>
Nutzenversprechen.<byte value="xd"/>
- Aussage, die den Nutzen des Produkts oder der Dienstleistung für den Kunden zusammenfasst.</translation>
    </message>
    <message>
        <source>Messaging by audience.<byte value="xd"/>
Target consumer demographics.</source>
        <translation>Botschaften je Zielgruppe.<byte value="xd"/>
Demografie der Zielkunden.</translation>
    </message>
    <message>
        <source>Product packaging.<byte value="xd"/>
- Discuss form-factor, pricing, look, strategy.<byte value="xd"/>
- Discuss fulfillment issues for items not shipped directly with product.<byte value="xd"/>
COGs<byte value="xd"/>
- Summarize Cost of Goods and high-level Bill of Materials.</source>
        <translation>Produktverpackung.<byte value="xd"/>
- Formfaktor, Preis, Erscheinungsbild und Strategie erörtern.<byte value="xd"/>
- Fulfillment für Artikel klären, die nicht direkt mit dem Produkt versandt werden.<byte value="xd"/>
Herstellungskosten (COGS)<byte value="xd"/>
- Herstellungskosten und Stückliste auf oberster Ebene zusammenfassen.</translation>
    </message>
    <message>
        <source>Launch plan.<byte value="xd"/>
- If product is being announced<byte value="xd"/>
Promotion budget<byte value="xd"/>
- Supply back-up material with detailed budget information for review.</source>
        <translation>Einführungsplan.<byte value="xd"/>
- Falls das Produkt angekündigt wird<byte value="xd"/>
Promotion-Budget<byte value="xd"/>
- Begleitunterlagen mit detaillierten Budgetangaben zur Prüfung beifügen.</translation>
    </message>
    <message>
        <source>Strategy &amp; execution.<byte value="xd"/>
- PR strategies<byte value="xd"/>
- PR plan highlights<byte value="xd"/>
- Have back-up PR plan, including editorial calendars, speaking engagements, conference schedules, etc.</source>
        <translation>Strategie und Umsetzung.<byte value="xd"/>
- PR-Strategien<byte value="xd"/>
- Eckpunkte des PR-Plans<byte value="xd"/>
- Ausführlichen PR-Plan bereithalten, u. a. mit Redaktionsplänen, Vortragsterminen, Konferenzkalender usw.</translation>
    </message>
    <message>
        <source>Strategy &amp; execution.<byte value="xd"/>
- Overview of strategy.<byte value="xd"/>
- Overview of media &amp; timing<byte value="xd"/>
- Overview of ad spending</source>
        <translation>Strategie und Umsetzung.<byte value="xd"/>
- Überblick über die Strategie.<byte value="xd"/>
- Überblick über Medien und Timing<byte value="xd"/>
- Überblick über die Werbeausgaben</translation>
    </message>
    <message>
        <source>Direct marketing.<byte value="xd"/>
- Overview of strategy, vehicles &amp; timing.<byte value="xd"/>
- Overview of response targets, goals &amp; budget.<byte value="xd"/>
Third-party marketing<byte value="xd"/>
- Co-marketing arrangements with other companies<byte value="xd"/>
Marketing programs<byte value="xd"/>
- Other promotional programs</source>
        <translation>Direktmarketing.<byte value="xd"/>
- Überblick über Strategie, Kanäle und Timing.<byte value="xd"/>
- Überblick über angestrebte Rücklaufquoten, Ziele und Budget.<byte value="xd"/>
Marketing mit Partnern<byte value="xd"/>
- Co-Marketing-Vereinbarungen mit anderen Unternehmen<byte value="xd"/>
Marketingprogramme<byte value="xd"/>
- Weitere verkaufsfördernde Programme</translation>
    </message>
    <message>
        <source>Pricing<byte value="xd"/>
- Summarize specific pricing or pricing strategies<byte value="xd"/>
- Compare to similar products<byte value="xd"/>
Policies<byte value="xd"/>
- Summarize policy relevant to understanding key pricing issues</source>
        <translation>Preisgestaltung<byte value="xd"/>
- Konkrete Preise oder Preisstrategien zusammenfassen<byte value="xd"/>
- Mit vergleichbaren Produkten vergleichen<byte value="xd"/>
Preis- und Konditionenpolitik<byte value="xd"/>
- Richtlinien zusammenfassen, die für das Verständnis der wichtigsten Preisfragen relevant sind</translation>
    </message>
    <message>
        <source>Distribution strategy.<byte value="xd"/>
Channels of distribution.<byte value="xd"/>
- Summarize channels of distribution.<byte value="xd"/>
Distribution by channel<byte value="xd"/>
- Show plan of what percent share of distribution will be contributed by each channel -- a pie chart might be helpful</source>
        <translation>Vertriebsstrategie.<byte value="xd"/>
Vertriebskanäle.<byte value="xd"/>
- Vertriebskanäle zusammenfassen.<byte value="xd"/>
Vertrieb nach Kanal<byte value="xd"/>
- Planen, welchen prozentualen Anteil am Vertrieb jeder Kanal beitragen soll – ein Kreisdiagramm kann hilfreich sein</translation>
    </message>
    <message>
        <source>Vertical market opportunities<byte value="xd"/>
- Discuss specific market segment opportunities.<byte value="xd"/>
- Address distribution strategies for those markets or segments.<byte value="xd"/>
- Address use of third-party partner role in distribution to vertical markets</source>
        <translation>Chancen in vertikalen Märkten<byte value="xd"/>
- Chancen in bestimmten Marktsegmenten erörtern.<byte value="xd"/>
- Vertriebsstrategien für diese Märkte oder Segmente behandeln.<byte value="xd"/>
- Rolle von Vertriebspartnern beim Vertrieb in vertikale Märkte behandeln</translation>
    </message>
    <message>
        <source>International distribution<byte value="xd"/>
- Address distribution strategies.<byte value="xd"/>
- Discuss issues specific to international distribution.<byte value="xd"/>
International pricing strategy<byte value="xd"/>
Localization issues<byte value="xd"/>
- Highlight requirements for local product variations</source>
        <translation>Internationaler Vertrieb<byte value="xd"/>
- Vertriebsstrategien behandeln.<byte value="xd"/>
- Besonderheiten des internationalen Vertriebs erörtern.<byte value="xd"/>
Internationale Preisstrategie<byte value="xd"/>
Lokalisierung<byte value="xd"/>
- Anforderungen an länderspezifische Produktvarianten hervorheben</translation>
    </message>
    <message>
        <source>First year goals<byte value="xd"/>
Additional year goals<byte value="xd"/>
Measures of success/failure<byte value="xd"/>
Requirements for success</source>
        <translation>Ziele für das erste Jahr<byte value="xd"/>
Ziele für die Folgejahre<byte value="xd"/>
Kriterien für Erfolg/Misserfolg<byte value="xd"/>
Voraussetzungen für den Erfolg</translation>
    </message>
    <message>
        <source>18-month schedule highlights<byte value="xd"/>
Timing<byte value="xd"/>
- Isolate timing dependencies critical to success</source>
        <translation>Eckpunkte des 18-Monats-Zeitplans<byte value="xd"/>
Timing<byte value="xd"/>
- Zeitliche Abhängigkeiten herausarbeiten, die für den Erfolg entscheidend sind</translation>
    </message>
</context>
<context>
    <name>SnapshotDialog</name>
    <message>
        <source>Plan History</source>
        <translation>Planverlauf</translation>
    </message>
    <message>
        <source>Your plan as it was kept, newest first. Restoring one keeps the plan you have now in the history first.</source>
        <translation>Ihr Plan, wie er aufbewahrt wurde, der neueste zuerst. Beim Wiederherstellen wird der jetzige Plan zuvor im Verlauf aufbewahrt.</translation>
    </message>
    <message>
        <source>Kept plans</source>
        <translation>Aufbewahrte Pläne</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
</context>
<context>
    <name>StatementBox</name>
    <message>
        <source>%1 statement</source>
        <translation>Aussage zu %1</translation>
    </message>
</context>
<context>
    <name>TemplateCheck</name>
    <message>
        <source>the shape named %1</source>
        <translation>die Form namens %1</translation>
    </message>
    <message>
        <source>shape number %1</source>
        <translation>Form Nummer %1</translation>
    </message>
    <message>
        <source>the template %1 cannot be read as a presentation: %2</source>
        <translation>die Vorlage %1 kann nicht als Präsentation gelesen werden: %2</translation>
    </message>
    <message>
        <source>slide %1: </source>
        <translation>Folie %1: </translation>
    </message>
    <message>
        <source>no such slide (the template has %1)</source>
        <translation>diese Folie gibt es nicht (die Vorlage hat %1)</translation>
    </message>
    <message>
        <source>no shape named %1</source>
        <translation>keine Form namens %1</translation>
    </message>
    <message>
        <source>no shape number %1</source>
        <translation>keine Form Nummer %1</translation>
    </message>
    <message>
        <source>%1 has no text frame to write into</source>
        <translation>%1 hat keinen Textrahmen, in den geschrieben werden kann</translation>
    </message>
    <message>
        <source>all %1 slides and %2 shapes the plan is written into are there</source>
        <translation>alle %1 Folien und %2 Formen, in die der Plan geschrieben wird, sind vorhanden</translation>
    </message>
    <message>
        <source>1 piece the plan is written into is missing</source>
        <translation>1 Teil, in den der Plan geschrieben wird, fehlt</translation>
    </message>
    <message>
        <source>%1 pieces the plan is written into are missing</source>
        <translation>%1 Teile, in die der Plan geschrieben wird, fehlen</translation>
    </message>
</context>
<context>
    <name>WorkingCopy</name>
    <message>
        <source>The deck cannot be made: the temporary folder %1 does not exist.
Set TEMP to a folder you may write and start Quillora again.</source>
        <translation>Der Foliensatz kann nicht erstellt werden: Den temporären Ordner %1 gibt es nicht.
Setzen Sie TEMP auf einen Ordner, in den Sie schreiben dürfen, und starten Sie Quillora neu.</translation>
    </message>
    <message>
        <source>The deck cannot be made: the temporary folder %1 is not a folder.
Set TEMP to a folder you may write and start Quillora again.</source>
        <translation>Der Foliensatz kann nicht erstellt werden: Der temporäre Ordner %1 ist kein Ordner.
Setzen Sie TEMP auf einen Ordner, in den Sie schreiben dürfen, und starten Sie Quillora neu.</translation>
    </message>
    <message>
        <source>The deck cannot be made: you may not write to the temporary folder %1.
Set TEMP to a folder you may write and start Quillora again.</source>
        <translation>Der Foliensatz kann nicht erstellt werden: Sie dürfen nicht in den temporären Ordner %1 schreiben.
Setzen Sie TEMP auf einen Ordner, in den Sie schreiben dürfen, und starten Sie Quillora neu.</translation>
    </message>
    <message>
        <source>The deck cannot be made: the working copy %1.
Set TEMP to another folder you may write and start Quillora again.</source>
        <translation>Der Foliensatz kann nicht erstellt werden: die Arbeitskopie %1.
Setzen Sie TEMP auf einen anderen Ordner, in den Sie schreiben dürfen, und starten Sie Quillora neu.</translation>
    </message>
</context>
<context>
    <name>WriteGuard</name>
    <message>
        <source>%1 is the settings file that keeps your plan; write to another file</source>
        <translation>%1 ist die Einstellungsdatei, die Ihren Plan enthält; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is the settings file that keeps the window&apos;s size and place; write to another file</source>
        <translation>%1 ist die Einstellungsdatei, die Größe und Lage des Fensters enthält; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is the lock that keeps a second window off your plan; write to another file</source>
        <translation>%1 ist die Sperrdatei, die ein zweites Fenster von Ihrem Plan fernhält; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is the template in use, which is read and never written; write to another file</source>
        <translation>%1 ist die verwendete Vorlage, die nur gelesen und nie geschrieben wird; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is the plan file being read, which is never written; write to another file</source>
        <translation>%1 ist die gelesene Plandatei, die nie geschrieben wird; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is kept for the lock and the temporary copies of the settings file that keeps the window&apos;s size and place; write to another file</source>
        <translation>%1 ist der Sperrdatei und den temporären Kopien der Einstellungsdatei vorbehalten, die Größe und Lage des Fensters enthält; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is the lock of the settings file that keeps your plan; write to another file</source>
        <translation>%1 ist die Sperrdatei der Einstellungsdatei, die Ihren Plan enthält; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is kept for the temporary copies and the backups of the settings file that keeps your plan; write to another file</source>
        <translation>%1 ist den temporären Kopien und Sicherungen der Einstellungsdatei vorbehalten, die Ihren Plan enthält; schreiben Sie in eine andere Datei</translation>
    </message>
    <message>
        <source>%1 is the deck being read, which is never written; write to another file</source>
        <translation>%1 ist der Foliensatz, der gelesen und nie geschrieben wird; schreiben Sie in eine andere Datei</translation>
    </message>
</context>
<context>
    <name>quillora::FileMenuCommands</name>
    <message>
        <source>Converting %1 with LibreOffice…</source>
        <translation>LibreOffice wandelt %1 um …</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The deck is being made. %1 once it is done.</source>
        <translation>Der Foliensatz wird gerade erstellt. %1, sobald er fertig ist.</translation>
    </message>
    <message>
        <source>Save Plan As</source>
        <translation>Plan speichern unter</translation>
    </message>
    <message>
        <source>plan.json</source>
        <translation>plan.json</translation>
    </message>
    <message>
        <source>Plan files (*.json);;All files (*)</source>
        <translation>Plandateien (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The plan was not saved: %1</source>
        <translation>Der Plan wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Open the plan</source>
        <translation>Öffnen Sie den Plan</translation>
    </message>
    <message>
        <source>Open Plan</source>
        <translation>Plan öffnen</translation>
    </message>
    <message>
        <source>The plan was not opened: %1</source>
        <translation>Der Plan wurde nicht geöffnet: %1</translation>
    </message>
    <message>
        <source>The plan could not be stored: %1</source>
        <translation>Der Plan konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The plan could not be stored: %1
The plan it was replacing is kept in %2.</source>
        <translation>Der Plan konnte nicht gespeichert werden: %1
Der bisherige Plan wurde in %2 gesichert.</translation>
    </message>
    <message>
        <source>Choose the template</source>
        <translation>Wählen Sie die Vorlage</translation>
    </message>
    <message>
        <source>Use Template</source>
        <translation>Vorlage verwenden</translation>
    </message>
    <message>
        <source>Presentations (*.ppt *.pptx);;All files (*)</source>
        <translation>Präsentationen (*.ppt *.pptx);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>There is no home folder to keep a template of your own in.</source>
        <translation>Es gibt keinen Benutzerordner, in dem eine eigene Vorlage aufbewahrt werden kann.</translation>
    </message>
    <message>
        <source>%1 is already the template in use.</source>
        <translation>%1 ist bereits die verwendete Vorlage.</translation>
    </message>
    <message>
        <source>%1 cannot be used as a template: %2</source>
        <translation>%1 kann nicht als Vorlage verwendet werden: %2</translation>
    </message>
    <message>
        <source>%1 lacks places the deck is written into:

%2
%3

Use it anyway?</source>
        <translation>In %1 fehlen Stellen, in die der Foliensatz geschrieben wird:

%2
%3

Trotzdem verwenden?</translation>
    </message>
    <message>
        <source>The template was not changed: %1</source>
        <translation>Die Vorlage wurde nicht geändert: %1</translation>
    </message>
    <message>
        <source>The standard template is already in use.</source>
        <translation>Die Standardvorlage wird bereits verwendet.</translation>
    </message>
    <message>
        <source>Use the standard template again? Your own template %1 is removed.</source>
        <translation>Wieder die Standardvorlage verwenden? Ihre eigene Vorlage %1 wird entfernt.</translation>
    </message>
    <message>
        <source>%1 could not be removed: %2</source>
        <translation>%1 konnte nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 gibt es bereits. Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>The plan was not restored: %1</source>
        <translation>Der Plan wurde nicht wiederhergestellt: %1</translation>
    </message>
    <message>
        <source>Restore a plan</source>
        <translation>Stellen Sie einen Plan wieder her</translation>
    </message>
    <message>
        <source>No plan has been kept in the history yet.</source>
        <translation>Im Verlauf ist noch kein Plan aufbewahrt.</translation>
    </message>
    <message>
        <source>Bring back edits</source>
        <translation>Holen Sie die Änderungen zurück</translation>
    </message>
    <message>
        <source>Bring Back Edits from a Deck</source>
        <translation>Änderungen aus einem Foliensatz zurückholen</translation>
    </message>
    <message>
        <source>Presentations (*.pptx *.odp *.ppt);;All files (*)</source>
        <translation>Präsentationen (*.pptx *.odp *.ppt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 was not read: %2</source>
        <translation>%1 wurde nicht gelesen: %2</translation>
    </message>
    <message>
        <source>%1 holds your plan as it is: there is nothing to bring back.</source>
        <translation>%1 enthält Ihren Plan, wie er ist: Es gibt nichts zurückzuholen.</translation>
    </message>
    <message>
        <source>The edits were not brought back: %1</source>
        <translation>Die Änderungen wurden nicht zurückgeholt: %1</translation>
    </message>
</context>
<context>
    <name>quillora::MainMenu</name>
    <message>
        <source>Menu bar</source>
        <translation>Menüleiste</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Open Plan…</source>
        <translation>Plan ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>Save Plan &amp;As…</source>
        <translation>Plan speichern &amp;unter …</translation>
    </message>
    <message>
        <source>Use &amp;Template…</source>
        <translation>&amp;Vorlage verwenden …</translation>
    </message>
    <message>
        <source>Use the &amp;Standard Template</source>
        <translation>&amp;Standardvorlage verwenden</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Quillora</source>
        <translation>Ü&amp;ber Quillora</translation>
    </message>
    <message>
        <source>Plan &amp;History…</source>
        <translation>Plan&amp;verlauf …</translation>
    </message>
    <message>
        <source>Bring Back &amp;Edits from a Deck…</source>
        <translation>Änderungen aus Foliensatz &amp;zurückholen …</translation>
    </message>
    <message>
        <source>Continue Long Sections on a New Slide</source>
        <translation>Lange Abschnitte auf einer neuen Folie fortsetzen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Slide &amp;Preview</source>
        <translation>&amp;Folienvorschau</translation>
    </message>
</context>
<context>
    <name>quillora::MainWindow</name>
    <message>
        <source>Start Creating Template</source>
        <translation>Foliensatz erstellen</translation>
    </message>
    <message>
        <source>The window cannot show all of the plan: %1</source>
        <translation>Das Fenster kann nicht den ganzen Plan anzeigen: %1</translation>
    </message>
    <message>
        <source>%1 (your own template)</source>
        <translation>%1 (eigene Vorlage)</translation>
    </message>
    <message>
        <source>%1 %2

Writes a marketing plan outline and turns it into a presentation deck.

Home page: %3

Copyright 2021-2026 Tarnvale. All rights reserved: no licence to copy, change or pass on this program is granted beyond what the law allows.</source>
        <translation>%1 %2

Gliedert einen Marketingplan und macht daraus einen Präsentations-Foliensatz.

Website: %3

Copyright 2021–2026 Tarnvale. Alle Rechte vorbehalten: Über das gesetzlich Erlaubte hinaus wird keine Lizenz erteilt, dieses Programm zu kopieren, zu ändern oder weiterzugeben.</translation>
    </message>
    <message>
        <source>About Quillora</source>
        <translation>Über Quillora</translation>
    </message>
    <message>
        <source>A deck is being made. Stop and close?</source>
        <translation>Ein Foliensatz wird erstellt. Abbrechen und schließen?</translation>
    </message>
    <message>
        <source>Your plan could not be saved: %1. Save it to a plan file before closing?</source>
        <translation>Ihr Plan konnte nicht gespeichert werden: %1. Vor dem Schließen in einer Plandatei speichern?</translation>
    </message>
    <message>
        <source>When your last session ended, your plan could not be saved. It was kept in %1.</source>
        <translation>Als Ihre letzte Sitzung endete, konnte Ihr Plan nicht gespeichert werden. Er wurde in %1 aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>quillora::PlanForm</name>
    <message>
        <source>Product Name</source>
        <translation>Produktname</translation>
    </message>
    <message>
        <source>Marketing Plan</source>
        <translation>Marketingplan</translation>
    </message>
    <message>
        <source>How the statement above fits its slide</source>
        <translation>Wie die Aussage darüber auf ihre Folie passt</translation>
    </message>
</context>
<context>
    <name>quillora::SlidePreview</name>
    <message>
        <source>1 point</source>
        <translation>1 Punkt</translation>
    </message>
    <message>
        <source>%1 points</source>
        <translation>%1 Punkte</translation>
    </message>
    <message>
        <source>fits</source>
        <translation>passt</translation>
    </message>
    <message>
        <source>shrinks to %1 %</source>
        <translation>verkleinert auf %1 %</translation>
    </message>
    <message>
        <source>about 1 line over</source>
        <translation>etwa 1 Zeile zu viel</translation>
    </message>
    <message>
        <source>about %1 lines over</source>
        <translation>etwa %1 Zeilen zu viel</translation>
    </message>
    <message>
        <source>Slide preview</source>
        <translation>Folienvorschau</translation>
    </message>
    <message>
        <source>Title slide</source>
        <translation>Titelfolie</translation>
    </message>
    <message>
        <source>Slide %1, %2</source>
        <translation>Folie %1, %2</translation>
    </message>
    <message>
        <source>%1: %2, %3</source>
        <translation>%1: %2, %3</translation>
    </message>
</context>
<context>
    <name>quillora::Spelling</name>
    <message>
        <source>Check Spelling</source>
        <translation>Rechtschreibung prüfen</translation>
    </message>
    <message>
        <source>No dictionary installed</source>
        <translation>Kein Wörterbuch installiert</translation>
    </message>
    <message>
        <source>Dictionary: %1</source>
        <translation>Wörterbuch: %1</translation>
    </message>
    <message>
        <source>No Suggestions</source>
        <translation>Keine Vorschläge</translation>
    </message>
    <message>
        <source>Add to Dictionary</source>
        <translation>Zum Wörterbuch hinzufügen</translation>
    </message>
    <message>
        <source>Ignore All</source>
        <translation>Alle ignorieren</translation>
    </message>
</context>
<context>
    <name>quillora::StoreNotice</name>
    <message>
        <source>Plan storage notice</source>
        <translation>Hinweis zur Speicherung des Plans</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the notice</source>
        <translation>Hinweis schließen</translation>
    </message>
    <message>
        <source>Your plan could not be read: %1.
Settings file: %2</source>
        <translation>Ihr Plan konnte nicht gelesen werden: %1.
Einstellungsdatei: %2</translation>
    </message>
    <message>
        <source>Your plan is not being saved: %1.
What you type stays in this window and is saved as soon as the settings file can be written again: %2</source>
        <translation>Ihr Plan wird nicht gespeichert: %1.
Was Sie eingeben, bleibt in diesem Fenster und wird gespeichert, sobald die Einstellungsdatei wieder geschrieben werden kann: %2</translation>
    </message>
    <message>
        <source>The settings file could not be read as settings. It was kept unchanged as %1.</source>
        <translation>Die Einstellungsdatei konnte nicht als Einstellungen gelesen werden. Sie wurde unverändert als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>Your plan is not being saved: %1.
What you type stays in this window and is saved as soon as the lock of the settings file can be taken again: %2</source>
        <translation>Ihr Plan wird nicht gespeichert: %1.
Was Sie eingeben, bleibt in diesem Fenster und wird gespeichert, sobald die Sperrdatei der Einstellungsdatei wieder belegt werden kann: %2</translation>
    </message>
</context>
</TS>
