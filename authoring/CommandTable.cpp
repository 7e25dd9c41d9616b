// The table of kncourse's commands, in overview order. A row is a subcommand: its name, the
// arguments its usage line shows, what it does, and its handler (see Kncourse.h). A command
// whose only row has no name takes its arguments itself.
#include "Kncourse.h"

namespace kncourse {

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"audio", "narration clips and sounds as the player decodes them",
       {
           {"info", "FILE",
            "A narration clip (.aif, .ogg): its format number (0 AIFF, 1 and 2 AIFC ima4 at\n"
            "22050 and 11025 Hz, 3 Ogg Vorbis), source rate and length on the narration\n"
            "clock (samples at 22050 Hz). A .wav sound: how the player plays it as a\n"
            "built-in sound.",
            AudioInfo},
           {"decode", "FILE OUT.wav [--from UNITS]",
            "Writes the 22050 Hz mono 16-bit stream the wave output receives, from the\n"
            "start or from clock unit UNITS (moved back to where decoding can start).",
            AudioDecode},
       }},
      {"bookmarks", "show the bookmarks of a bookmark file",
       {
           {"", "FILE [--contents CONTENTS]",
            "The bookmarks of a bookmark file (.mrk) in file order, as the player loads them.\n"
            "With --contents each one is also shown by the text the Bookmarks bar shows.\n"
            "Exit status 2 when the file is missing or damaged (the player loads nothing).",
            BookmarksShow},
       }},
      {"check", "every problem of a course folder, with file and line",
       {
           {"", "DIR [--quiet]",
            "Reads the course folder DIR (the program folder's \"course\" folder, with\n"
            "personal.knp beside it) as the player does and lists every problem as\n"
            "FILE:LINE: message, FILE relative to DIR (LINE 0: the whole file):\n"
            "missing or unreadable files, names and references that lead nowhere, container\n"
            "entries that are referred to but absent, scripts that do not compile as written,\n"
            "narration missing beside an exposition, and limits that the player would cut.\n"
            "--quiet prints only the count. Exit status 0 when the course is clean, 1 when\n"
            "there are problems, 2 when DIR cannot be checked.",
            CheckFolder},
       }},
      {"container", "list, find, pack and extract resource containers",
       {
           {"list", "FILE", "The type code, text section and every directory entry (type, name, offset, length).",
            ContainerList},
           {"find", "FILE NAME TYPE",
            "The entry the player's lookup selects; TYPE is picture, sound, text or any (0, 1, 2, -1).\n"
            "Exit status 1 when nothing is found.",
            ContainerFind},
           {"pack", "DIR OUT [--code XXXX]",
            "Builds a container from a source folder (manifest.txt, section.txt, picture/, sound/, text/).",
            ContainerPack},
           {"extract", "FILE DIR", "Writes the source-folder form of a container; pack gives the same bytes back.",
            ContainerExtract},
       }},
      {"contents", "the course tree of a course folder's contents.txt",
       {
           {"", "DIR [--bundle N] [--lesson-base N]",
            "The course tree of DIR/contents.txt in display order: group headings, lesson\n"
            "numbers, pages, activity kinds and files. Lines the player drops are listed on\n"
            "stderr as warnings.\n"
            "--bundle N        order the lessons for entry N of DIR/Bundle.txt (0: file order)\n"
            "--lesson-base N   number of the first lesson; default: \"Lesson Base\" of the\n"
            "                  personal.knp beside DIR, else 1",
            ContentsTree},
       }},
      {"equation", "the layout of an equation's markup, and its picture",
       {
           {"layout", "'MARKUP' [--size N] [--flags F]",
            "Lays out MARKUP (the \"math\" element with its tags) at base size N pixels\n"
            "(default 12) with font flags F (default 8, the serif face; 1 bold, 2 italic,\n"
            "32 Symbol) and lists every element in pre-order: depth, name, x, y, width,\n"
            "ascent, descent, size, flags and text.",
            EquationLayoutList},
           {"render", "'MARKUP' OUT.png [--size N] [--flags F]",
            "Draws the equation as the player does, black on white, into a PNG picture of\n"
            "the equation's frame, and prints its size.",
            EquationRender},
       }},
      {"expo", "play an exposition headless on a virtual clock",
       {
           {"play",
            "FILE [--at SECONDS]... [--until SECONDS] [--seed N]\n"
            "                         [--input \"SECONDS ACTION\"]... [--frames DIR]",
            "Plays the exposition FILE (.exp, .scr) as its window would, on a virtual clock:\n"
            "position = seconds x 22050, a timer tick every 16 ms, the narration clip's real\n"
            "length (.ogg or .aif beside FILE), else the silent clip (last chunk start + 1 s);\n"
            "waits and animations advance the same clock. The narration starts at 0.\n"
            "Every event prints a JSON line {\"pos\":..,\"event\":..}: chunk, goto, pause,\n"
            "wait, flash, sound, launch, error, completed. Every --at prints the state as a\n"
            "JSON line: t, pos, total, paused, started, next, pen, vars (those set) and\n"
            "objects (kind, name, rect [l, t, r, b], color, text, size, style, alpha, visible,\n"
            "transition). --frames DIR also writes frameNNN.png for each --at.\n"
            "--until: play to that time (default: the narration's end + 1 s, or later --at\n"
            "and --input times). --seed seeds the script's random generator.\n"
            "Inputs: click NAME, click X,Y, key space|left|right|enter|tab, type NAME TEXT,\n"
            "seek SECONDS, continue (inputs wait while a busy wait runs).\n"
            "Exit status 1 when an error event was printed.",
            ExpoPlay},
       }},
      {"glossary", "the terms and definitions of a glossary file as the Glossary shows them",
       {
           {"list", "FILE", "Every term of a glossary file (.gls) in file order, with where its definition lies.",
            GlossaryList},
           {"find", "FILE TEXT",
            "The term the player finds for TEXT (\"means\" finds mean, \"mean\" finds means, the same\n"
            "with d). Exit status 1 when none.",
            GlossaryFind},
           {"show", "FILE TERM [--phrase P]",
            "What Copy puts on the clipboard for TERM: the name, then the definition; with --phrase,\n"
            "the context phrase and \"In general, \" before it. Exit status 1 when TERM is not found.",
            GlossaryShow},
       }},
      {"index", "the terms of an index file and the places their references stand for",
       {
           {"", "FILE [--course DIR]",
            "Every term of an index file (index.txt) with its references. With --course (a course\n"
            "folder) each reference is resolved as the Index bar does: kind, lesson.page.activity or\n"
            "glossary, file, and the text the row shows.",
            IndexShow},
           {"", "find FILE NAME", "The term the player finds for NAME. Exit status 1 when none.", nullptr},
       }},
      {"launch", "what launching an activity would open (--dry-run)",
       {
           {"", "--dry-run ROOT ID",
            "What launching the activity identifier ID (a file name, or :code:file) would do in\n"
            "the course whose folder ROOT holds course/contents.txt: the activity's file, its\n"
            "path among the course folders, the file found, the sound, and the window or outside\n"
            "application that would open it. Nothing is opened or started. Exit status 1 when\n"
            "ID names nothing or its file is not found or would be refused.",
            LaunchDryRun},
       }},
      {"markup", "course markup: plain text, tokenizer events, paragraphs, rendering",
       {
           {"strip", "FILE [--container]",
            "The text with tags and comments removed and entities decoded, line by line.", MarkupStrip},
           {"events", "FILE [--container] [--pass-through]",
            "The tokenizer's events, one a line: word, line (a line end in the source),\n"
            "tag and end, each with the text pending at that event.",
            MarkupEvents},
           {"paragraphs", "FILE [--container]",
            "The hypertext view's paragraphs: flags, indent, list number, picture size\n"
            "and normalised markup; then title, directives and source buttons.",
            MarkupParagraphs},
           {"render",
            "FILE OUT.png [--container] [--width N] [--height N]\n"
            "                         [--font-size N] [--lesson-font FACES] [--link-color #RRGGBB]",
            "Draws the text as a hypertext window of that client size shows it (defaults\n"
            "480 by the text's height, FontSize 12).",
            MarkupRender},
       },
       "--container: FILE is a resource container; its text section is the markup and\n"
       "its picture entries are the pictures \"img\" names.\n"},
      {"movie", "size, duration and tracks of a movie, and the frame shown at a time",
       {
           {"info", "FILE",
            "Natural size, duration, frame rate and tracks of a QuickTime movie, the movie window's\n"
            "client sizes, and whether a transcript (.mtx) lies beside it. A file the player would\n"
            "refuse gives the reason and exit status 2.",
            MovieInfo},
           {"frame", "FILE SECONDS OUT.png",
            "Writes the frame the player shows at SECONDS (a decimal number; before the start shows\n"
            "the first frame, past the end the last) as a PNG picture of the movie's natural size.",
            MovieFrame},
       }},
      {"personality", "show every personality key as the player resolves it",
       {
           {"", "FILE",
            "Every personality key of FILE (a personal.knp) with its id, type, the value the\n"
            "player uses and where that value comes from: \"file\" or the built-in \"default\".\n"
            "Typed values are shown as the player reads them, with the text from the file after\n"
            "them. Then the named pictures the player looks for and the entry each one finds.\n"
            "Exit status 2 when the file is missing or damaged.",
            PersonalityShow},
       }},
      {"picture", "render a picture as the player draws it, or describe it",
       {
           {"", "FILE|CONTAINER:NAME OUT.png [options]",
            "Draws the picture as the player does, on a canvas of the background colour, and\n"
            "saves it as PNG. FILE is a .bmp or .png file; CONTAINER:NAME is a picture entry of a\n"
            "resource container, found as the player finds it.",
            PictureDraw},
           {"", "FILE|CONTAINER:NAME --info",
            "Kind, size, depth, and the key and opaque pixels as a masked picture has them."},
       },
       "Options:\n"
       "  --size WxH          draw scaled to W x H pixels (default: the picture's size)\n"
       "  --masked            leave key pixels out (blend RGBA images over the canvas)\n"
       "  --key RRGGBB        replace the key colour first, as the hypertext view does with ffffff\n"
       "  --fade F            mix with the tint colour by the fraction F (0 to 1)\n"
       "  --tint RRGGBB       the colour --fade mixes in (default 000000)\n"
       "  --background RRGGBB canvas and background colour (default ffffff)\n"
       "  --shadow DEPTH      draw with the drop shadow, DEPTH 0 (raised) to 6 (pressed)\n"
       "  --dark              with --shadow: darken 8-bit pictures, as a pressed icon\n"},
      {"progress", "show what a student progress file holds",
       {
           {"", "FILE [--contents CONTENTS]",
            "What a student progress file (.kns) holds: the learner's name, the completed\n"
            "activities (lesson display position, page and activity, counted from 0), the\n"
            "bookmarks, the preferences block and the window records. With --contents (a\n"
            "contents.txt) each place is also shown by its titles, and completions the player\n"
            "would drop because that course does not hold them are marked \"dropped\".\n"
            "Exit status 2 when the file is missing or the player would refuse it.",
            ProgressShow},
       }},
      {"resolve", "what an activity identifier names in a course folder",
       {
           {"", "DIR ID [--bundle N] [--lesson-base N]",
            "The activity locator that the identifier ID (a file name, or :code:file) names in\n"
            "DIR/contents.txt: its fields, kind, description and course path. Prints \"not found\"\n"
            "and exits with status 1 when it names nothing.",
            ResolveId},
       }},
      {"script", "script chunks of exposition files, tokens and expressions",
       {
           {"chunks", "FILE [--text]",
            "Every script chunk of an exposition file (.exp, .scr): its start in samples of the\n"
            "22 050 Hz clock and in seconds, label, clear mark, and its tokens by name and value,\n"
            "one script line to a row. With --text, FILE is the exposition text alone, without\n"
            "the container header. Exit status 1 when a line or chunk too long stopped the loading.",
            ScriptChunks},
           {"tokens", "'SOURCE'", "The tokens of one script line.", ScriptTokens},
           {"args", "'ARGUMENTS'",
            "Reads an argument list as a function or statement receives it: `with X` and\n"
            "`without X` become X 1 and X 0, then the positional value (when the count is odd)\n"
            "and each keyword with its value, one to a row.",
            ScriptArgs},
           {"eval", "'EXPRESSION' [--as KIND] [--seed N]",
            "Evaluates one expression without a window (variables are zero, view functions other\n"
            "than x, y, extent and location of a point give nothing) and prints the value's kind\n"
            "and payload, then any tokens the expression left unread. --as converts the value as\n"
            "a statement asking for KIND would (integer, real, text, colour, point). --seed seeds\n"
            "the random generator first. Exit status 1 when the expression, or the conversion,\n"
            "yields nothing.",
            ScriptEval},
           {"run", "'SOURCE'",
            "Runs statements on a 400 x 300 exposition view without a clock (waits advance a\n"
            "virtual clock) and prints the final state as one JSON line: pen, vars, objects.\n"
            "Events print before it as for expo play. Exit status 1 after an error event.",
            ScriptRun},
       },
       "SOURCE and EXPRESSION are UTF-8 and are read as the course's Windows-1252 bytes.\n"},
      {"stats", "evaluate the statistical functions and replay the random generator",
       {
           {"", "FUNCTION ARG...",
            "Prints the function's value with 10 significant digits, as the player computes it.\n"
            "inf and -inf are the infinities; an argument outside a function's domain gives the\n"
            "error value, inf. Arguments are decimal numbers (inf and nan are accepted).",
            StatsEvaluate},
           {"", "RandomInt N [--seed S] [--count K]",
            "K (default 1) draws of the program's random generator modulo N, one a line, after\n"
            "seeding it with S (default: the millisecond clock, as the player does at start-up)."},
           {"", "RandomDraw [--seed S] [--count K]", "The same for the raw draws, 0 to 32767."},
       },
       {},
       StatsFunctionList},
      {"search", "the player's search across the course, hit by hit",
       {
           {"", "ROOT WORDS... [--method asis|and|or] [--case] [--regex] [--types LIST] [--lessons LIST] [--all]",
            "Searches the course under ROOT (the folder holding course/contents.txt) as the Search\n"
            "dialog does and prints one line per hit: lesson code, path from the course folder,\n"
            "kind, lesson.page.activity (counted from 0) and the activity's description. Without\n"
            "--all only the first hit, then the line \"next: after CODE/PATH\" where Next would go\n"
            "on. --types takes type names or extensions (pages,exp,movies,homework,...), --lessons\n"
            "lesson codes, both separated by commas. Exit status 1 when nothing is found.",
            SearchCourse},
       }},
      {"exercise", "what the exercise window makes of an exercise file, and how it judges answers",
       {
           {"dump", "FILE",
            "Every question of an exercise file (.fil) as the exercise window shows it: the fill\n"
            "text with its blanks numbered [1], [2], ..., each blank's answer, the choices (as\n"
            "given, or generated from the answers and the also line), the hint, the font of each\n"
            "box, the boxes' places after the question's height (questions shown in order), the\n"
            "picture, then what the reader could not use, by line.",
            ExerciseDump},
           {"check", "FILE QUESTION ANSWER...",
            "Puts the answers into the blanks of question QUESTION (from 1), in order, and judges\n"
            "them as the window does: an answer is right when it begins with the blank's answer.\n"
            "When every blank is answered the question can be done. Prints each blank right,\n"
            "wrong or not answered, then \"done\" or \"not done\"; exit status 1 when not done.",
            ExerciseCheck},
       },
       "Answers are UTF-8 and are read as the exercise's Mac OS Roman bytes.\n"},
  };
  return commands;
}

}  // namespace kncourse
