// docs/run-files.md, generated: the fixed text about the runner, and one section per
// run-file table from the registry of forms and their schemas.
#include "batch/RunFileDocs.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/app/FormRegistry.h"

namespace tarvex::batch {

namespace {

// The runner, its results and exit codes, the file and its values, the top-level key.
constexpr std::string_view kIntro = R"md(# Run files and `tarvex1l-run`

The desktop program keeps every parameter in its windows and dialogs. A run file holds the
same parameters as text, so that a calculation runs without a screen: overnight, on a
cluster node, in a parameter sweep, in a test. `tarvex1l-run` reads the run file, fills the
very same form models the desktop program shows (main window, initial-conditions dialog,
equation-of-state dialog, viscosity dialog, save options), runs the same calculation driver
and writes the same result files.

```
tarvex1l-run CASE.toml [--out DIR] [--quiet] [--overwrite]
tarvex1l-run CASE.toml --print-settings
tarvex1l-run --example NAME [--out DIR] [--quiet] [--print-settings]
tarvex1l-run --list-examples
tarvex1l-run --write-docs docs/run-files.md
```

| Option | Meaning |
|---|---|
| `CASE.toml` | the run file |
| `--out DIR`, `-o DIR` | output directory of the result files (created when missing); without it the `SaveDir` of `[save]`, else `results/<case name>` in the current directory |
| `--quiet`, `-q` | no progress output; errors are still reported on standard error |
| `--overwrite` | write over the result sets of an earlier run in the output directory (without it such a run is refused before it starts, see below) |
| `--print-settings` | apply the run file to the forms, then print every setting (defaults filled in) as a run file and stop; nothing runs, nothing is written. The printed file reads back to the same settings |
| `--example NAME` | run a bundled example instead of a file (`default` is `shock_tube`); the examples are compiled into the program, so this works from any directory |
| `--list-examples` | list the bundled examples |
| `--write-docs FILE` | write this document to FILE; it is generated from the forms' own descriptions of their fields, so it always matches what the runner accepts |

Progress goes to standard error: on a terminal one line that updates in place (simulated
time against the end time, sub-steps and sub-steps per second, wall time, estimated time
left), otherwise a plain line every five seconds (job logs). A summary line goes to
standard output at the end.

Ctrl-C (SIGINT) and SIGTERM press the Break button: the sub-step in progress ends, the
interval it belongs to is post-processed and written as the last one, and the program
ends with exit code 4. As in the desktop program, the broken interval is marked by a
negative end time. Its set is named after its rounded time with `_break` appended
(`_break2`, `_break3`, ... when such a set exists), so that it never replaces the set of a
finished interval; it loads like any other set, and the run continued from it completes
the interval. A second Ctrl-C ends the program at once, without writing the interval in
progress; the shell then reports 130 (128 + SIGINT), or 143 for a second SIGTERM.

## Result files

After every output interval the runner writes what the desktop program writes, into the
output directory:

- the profile file set: the table `NAME.DAT` (a title line, one row per cell, the last
  node's row) and its header `NAME.TXT`, both TAB-separated with CR LF line ends;
- the picture of the four graphs (density, velocity, pressure, temperature; the
  temperature alone on a frozen grid) with the name as its caption: `NAME.jpg`, or
  `NAME.BMP` with `GraphType = "BMP"` in `[save]`. The pictures are drawn without a screen
  (Qt's `offscreen` platform, chosen unless `QT_QPA_PLATFORM` names another). A build
  without Qt writes no pictures.

NAME is the time at the end of the interval, written as `[save]` says: by default with
three decimals and the point as `p` (t = 0.05 gives `0000p050`; below 0.01 and from 1000
on, four significant digits). The last interval is written under its name too (the
desktop program offers a save dialog for it). Every file is written to a temporary name
first and renamed when complete, so a failed write never leaves half a file.

Before anything runs, the names of the run's intervals are checked: two intervals whose
times give the same name would overwrite one set with the next, and the run file is
refused (give more digits in `[save]`).

## Exit codes

| Code | Meaning |
|---|---|
| 0 | the run reached its end time and every result file was written |
| 1 | wrong command line (unknown option, no run file, unknown example) |
| 2 | the run file cannot be read, or a table, key or value is wrong, or a dialog refuses a value; nothing ran and nothing was written |
| 3 | the run failed: the time step fell below its minimum, or a fault stopped it |
| 4 | interrupted by Ctrl-C (SIGINT) or SIGTERM; the interval in progress was written |
| 5 | the output directory, a result file or a picture could not be written (after a failed write the run goes on and writes the later intervals; the message names the first file that failed and why) |

When several apply, a failed write (5) comes before an interruption (4), which comes before
a failed run (3).

### What is refused, and with which code

| Refused | Code | Message names |
|---|---|---|
| unknown option, no run file, unknown example | 1 | the option |
| a run file that is missing, a directory, a device, a FIFO or a socket, or larger than 4 MB | 2 | the file and why (nothing is read from it) |
| a non-character (U+FDD0..U+FDEF, U+xxFFFE, U+xxFFFF) or U+FEFD/U+FEFE anywhere in the file; a character outside ASCII between the tokens | 2 | line and column, the character |
| TOML syntax; unknown table or key; a wrong type; a value out of range; an unknown item or answer | 2 | line, table, key |
| a control character (NUL, TAB, CR, ...) in a text value or in `load` | 2 | line, table, key, the character and its position |
| `Len` or `x1Edit` not > 0; `dt1` or `dtLV` < 0; `EndTime` or `EndTmLV` < 0 | 2 | line, `[main]`, the key |
| `dt1` longer than the run (`EndTime` − `TotalTime`) or not finite | 2 | line, `[main] dt1` |
| a value a dialog refuses, or one its handler replaces | 2 | line, table, key, the dialog's reason |
| `SaveDir = ""` | 2 | line, `[save] SaveDir` |
| file names of the run that repeat, or that the system cannot hold (a name longer than 236 characters with its endings, a path longer than 4095 bytes) — checked for every interval before the run starts | 2 | line, `[save]` `Scal`, `AddStr` or `Press`, the name |
| a profile (`load`) that cannot be read, is damaged (a line cut off, a row after the node row, a row number out of order, fields missing) or whose load a question stops (a table without its header file needs `"Cannot find ... load the table alone? ..." = "OK"`) | 2 | line, `load`, the loader's message on one line |
| the set-up is incomplete when the run would start (no output interval) | 2 | line, `[main]`, the key |
| a result set of an earlier run (`NAME.DAT` or `NAME.TXT`) that an interval of this run would write over — the same run again, or a run continued into its own directory; `--overwrite` replaces them | 2 | the first such file |
| the time step fell below its minimum; an arithmetic fault | 3 | the time and the cause |
| Ctrl-C (SIGINT) or SIGTERM | 4 | the time; the interval in progress is written |
| an output directory that cannot be created, or that names a file | 5 | the directory and the reason |
| a result file, picture, history or tracked-points record that cannot be written | 5 | the first file that failed and the reason |

## The file

A run file is [TOML](https://toml.io) with one table per window or dialog. Keys are the
names of the forms' fields. A table that is left out keeps the form as the program starts
it; a key that is left out keeps the field's default (the tables below list them).

```toml
[eos.film]
EqType = "Ideal gas"
gamma = 1.4

[main]
Len = 4.5
Dimension = 900
Rho0 = 0.125
dt1 = 0.05
EndTime = 0.2

[initial]
RadioGroup1 = "Press"
Pini = 0.1
InitProfile = "1T"
MoveType = "v0 = 0"

[answers]
"Use I EOS for glass?" = "No"
```

`examples/shock_tube.toml` is a complete example (`tarvex1l-run --example shock_tube`).

### Values

- **Numbers** are TOML numbers or texts that the program's number format reads, exactly as
  if they were typed into the field: `0.1`, `1e-7`, `"2,5d3"` (decimal comma, exponent
  letter D), `"1.5*10^3"`, `"1_000"`. A TOML number is handed to the field as it is written
  in the file, so `0.1` is read with the program's full (80-bit) precision, not as the
  double nearest to 0.1.
- **Up-downs** (cell counts, step divisions) are TOML integers within the control's range.
- **Choices** (lists and radio groups) take the item caption as the dialog shows it, or the
  item's index (0 = first item). The keyboard-accelerator `&` of a caption may be given or
  left out (`"Lnear"` and `"L&near"` are the same item). Where the dialog may show no
  selection, `-1` means none.
- **Check boxes** take `true` or `false`.

### How a run file is applied

The forms are filled in the order a person fills them at the desktop:

1. the answers of `[answers]` are scripted;
2. the equation-of-state dialog is opened for the substrate (`[eos.left]`) and then for the
   film (`[eos.film]`); each starts as a freshly opened dialog, the model is selected first
   (its presets fill fields), then the metal, the numbers and the check boxes, then OK;
3. the main window's `Len`, `x1Edit`, `Rho0`, `Pout` and `Dimension` are typed;
4. "Init/Shift" opens the initial-conditions dialog with those values; its fields are set
   in the dialog's order (the geometry before the boundary modes, the temperature model
   before the electron temperature, the fixed-Te box after it), each number followed by
   the field's leave handler, each choice and check box through its click handler; then OK;
5. the viscosity dialog is opened, set and accepted;
6. the main window's times and step divisions are typed, each followed by its leave handler
   (`dt1` sets `dtLV`, `EndTime` sets `EndTmLV`, ...);
7. the save-options dialog takes `[save]` (the unit factor before the suffix) and is
   accepted; the main window follows its directory and picture format.

With `load`, steps 3 and 4 are the load and the after-load dialog instead (see "Starting
from a saved profile").

Every value goes through the forms' own parsing, handlers and OK checks, so a value the
dialog would refuse is refused here too. Nothing runs when anything is refused.

### Errors

Every error names the file, the line, the table and the key, and what is wrong:

```
case.toml:31: error: [initial] MoveType: unknown item "sideways"; one of "P0 = Pout", "x >= 0", "v0 = 0", "No move"
case.toml:15: error: [eos.film] gamma: gamma must be a finite number greater than 1
case.toml:29: error: [initial] Pini: the form replaced 0.1 by 0.625: the value follows from other settings; leave the key out or give a value consistent with them
```

Errors of the file itself (TOML syntax, unknown tables and keys, wrong types, values out of
range, unknown items and answers) are all reported at once. The forms then stop at the
first value they refuse. A field that a handler overwrites after the file set it (for
example `Pini` and `Tini` both given, but not related by the equation of state) is an error
as well: the run would otherwise use a number other than the one in the file.

## Top level

| Key | Kind | Unit | Default | Meaning |
|---|---|---|---|---|
| `load` | text | – | none | a saved profile file (`"path/0001p500ps.DAT"`, relative to the current directory) to start from instead of building the state in `[initial]`; see "Starting from a saved profile" |

### Starting from a saved profile

With `load` the run continues a profile file set that an earlier run (or the desktop
program) wrote. The runner loads it as "LoadFile" does: the table and its `.TXT` header
give the grid, the layers, the densities, the profiles and the outer pressure; the name
gives the start time (`0000p100.DAT` starts at t = 0.1, `0001p500ps.DAT` at 1.5e-12 s).
The initial-conditions dialog then opens in its after-load mode and is accepted.

What the run file still gives:

- `[eos.film]` and `[eos.left]`: the equations of state are not part of the profile and
  are needed as for a new run;
- `[main]`: the output interval, the end time and the step divisions (`dt1`, `dtLV`,
  `EndTime`, `EndTmLV`, `StepDiv`, `MnStepDiv`). `Len`, `x1Edit`, `Rho0`, `Pout`,
  `Dimension`, `TotalTime` and `TimeLV` come from the profile and are refused;
- `[initial]`: only what the after-load dialog and the "Init/Shift" step take from the
  dialog: `MoveType`, `Bound0`, `T0`, `BoundQ`, `Tq`, `CheckKeepVL`, `V_PPoutCheck`, `VL`
  and `Qext`. They are not stored in the profile, so give them as in the run that wrote
  it (a wall stays a wall only when the file says so). Every other key would build a new
  state and is refused. `MoveType = "No move"` continues only a profile written on a
  frozen grid, and a frozen profile only with it;
- `[viscosity]`, `[save]` and `[answers]` as for a new run.

The loader asks which solver to continue with (`"With Thermocond"`, `"2 Temp"`, `"With
Hydrodyn"`, `"Elast/plast"`, see `[answers]`); an unanswered question cancels the load. A
profile that cannot be read, that is malformed or that a question cancelled refuses the
run file (exit code 2) with the file name and the loader's reason:

```
cont.toml:1: error: load: cannot load "half/0000p100.DAT": Cannot open file half/0000p100.DAT
```

The results of the continuation go to the output directory as usual (not to the folder of
the loaded profile).

)md";

// The questions of the [answers] table.
constexpr std::string_view kAnswers = R"md(## [answers] — questions

Questions that a person would answer in a message box are answered from this table: the
key is the question text, the value the answer. A key that is the beginning of a question
answers every question that starts with it (questions that end in a number). A question
that has no answer here gets the answer that closing the box stands for (Cancel where it is
offered, otherwise No), and the runner notes it on standard error; an answer that a
question does not offer counts the same way. An answer to a question that was never asked
is noted at the end of the run (a typo is the usual reason).

The answers are `"Yes"`, `"No"`, `"OK"`, `"Cancel"`, `"Retry"`, `"No to All"` and `"Yes to
All"` (case does not matter).

The runner answers `"Save(print) settings?"` (asked by the OK of the initial-conditions
dialog, of the spallation dialog and of the equation-of-state dialog for the models from
`"MieGrun"` on) and `"Shift graph x0 to right (L0)?"` with `"No"` unless the table says otherwise;
`"Cancel"` to the first keeps the dialog open and the run file is refused.

Questions asked while the state is set up:

| Question | Asked when | Effect of the answers |
|---|---|---|
| `"Use Ion ThermoCond?"` | OK of `[eos.film]` or `[eos.left]` while heat conduction is off (`NoConduct`) and the film has a conductivity | Yes: conduction on; No (unanswered): it stays off |
| `"Use I EOS for glass?"` | leaving `T0l` while the film has an equation of state | Yes: the substrate uses the film's equation of state; No: its own (`[eos.left]`) |
| `"Set init (EOS) glass denity to "` | leaving `rho0l` when the substrate model has a density of its own that differs | Yes: `rho0l` takes the model's density |
| `"With e-i heat exchange (alpha)?"` | checking `FixTe` | No: no electron-ion heat exchange |
| `"Save(print) settings?"` | OK of the initial-conditions dialog | Yes/No: close the dialog; Cancel: keep it open (refused) |
| `"Save(print) settings?"` | OK of `[eos.film]` or `[eos.left]` with a model from `"MieGrun"` on | every answer accepts the model (Yes would print the form; nothing is printed here) |
| `"Shift graph x0 to right (L0)?"` | before the run, when pictures are written | Yes: the graphs plot x + L0; No (the runner's default): x |
| `"With Thermocond"` | `load` of a one-temperature profile | Yes: continue with heat conduction; No: hydrodynamics only; Cancel: the load is cancelled (refused) |
| `"2 Temp"`, `"With Hydrodyn"`, `"Elast/plast"` | `load` of a two-temperature or elastic profile | the solver to continue with; Cancel: the load is cancelled |

During the run the iterated step may ask what to do when its passes disagree; its answers
(`"Yes"`, `"No"`, `"Cancel"`, `"Retry"`, `"No to All"`, `"Yes to All"`) are scripted the same
way.

The two-temperature step asks when a pass leaves a film cell with a negative ion or
electron temperature (strong heating in a long step). These questions end in numbers, so
they are answered by their beginnings:

| Question | Effect of the answers |
|---|---|
| `"dt="` (`"dt=… Iter… I=… Ti[I]=… Te[I]=… set to positive?"`) | OK: repair the cell (the next question says how); Cancel: the pass fails and the step is shortened; No to All: this and every later such pass fails without asking |
| `"Set Ti[I] to"` (a negative ion temperature) | Yes: the ion temperature of the previous iterate; OK: the cell's electron temperature; Cancel: the pass fails |
| `"Set Te[I] to"` (a negative electron temperature) | Yes: the cell's ion temperature; OK: the electron temperature of the previous iterate; Cancel: the pass fails |

Whether to repair a cell is the physicist's decision: when the run file does not answer
`"dt="`, the run stops in order at that pass (the interval in progress is written) and
the runner ends with exit code 3, quoting the question and the keys to add.

)md";

std::string Quoted(std::string_view s) {
  std::string q("`\"");
  q.append(s);
  q.append("\"`");
  return q;
}

std::string KindText(const FieldSchema& f) {
  if (!f.doc.kindText.empty()) return f.doc.kindText;
  switch (f.kind) {
    case FieldKind::Number:
      return "number";
    case FieldKind::Integer:
      return "integer " + std::to_string(f.lo) + " .. " + std::to_string(f.hi);
    case FieldKind::Choice: {
      std::string text = "choice ";
      for (size_t i = 0; i < f.items.size(); ++i) text += (i == 0 ? "" : ", ") + Quoted(f.items[i]);
      return text;
    }
    case FieldKind::Check:
      return "check";
    case FieldKind::Text:
      return "text";
  }
  return {};
}

// One table's section: heading, the form's own paragraphs, the keys.
void Section(std::string& out, const FormEntry& e) {
  std::vector<std::string_view> tables{e.table};
  for (const FormEntry& other : FormRegistry()) {
    if (other.docWith == e.table) tables.push_back(other.table);
  }
  out.append("## ");
  for (size_t i = 0; i < tables.size(); ++i) {
    if (i > 0) out.append(i + 1 == tables.size() ? " and " : ", ");
    out.append("[").append(tables[i]).append("]");
  }
  out.append(" — ").append(e.form).append("\n\n");
  if (e.docIntro != nullptr) out.append(e.docIntro()).append("\n\n");
  out.append("| Key | Kind | Unit | Default | Meaning |\n|---|---|---|---|---|\n");
  for (const FieldSchema& f : e.fields()) {
    out.append("| `").append(f.key).append("` | ").append(KindText(f)).append(" | ");
    out.append(f.doc.unit.empty() ? "–" : f.doc.unit).append(" | ").append(f.doc.defaultText);
    out.append(" | ").append(f.doc.meaning).append(" |\n");
  }
  out.append("\n");
}

}  // namespace

std::string RunFileDocsText() {
  std::string out(kIntro);
  std::vector<std::string_view> done;
  for (const FormEntry& e : FormRegistry()) {
    const std::string_view lead = e.docWith.empty() ? e.table : e.docWith;
    if (std::find(done.begin(), done.end(), lead) != done.end()) continue;
    done.push_back(lead);
    const FormEntry* entry = FindFormEntry(lead);
    Section(out, *entry);
  }
  out += kAnswers;
  if (!PlannedForms().empty()) out.append("## Tables not available yet\n\n");
  for (const PlannedForm& p : PlannedForms()) {
    out.append("`[").append(p.table).append("]` (").append(p.what);
    out.append(
        ") belongs to a form that is not part of this version;\na run file that has it "
        "is refused with \"not available in this version\". ");
    out.append(p.note).append("\n");
  }
  return out;
}

}  // namespace tarvex::batch
