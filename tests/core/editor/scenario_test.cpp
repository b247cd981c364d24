// SPDX-License-Identifier: GPL-3.0-or-later
// The editor as a user meets it: sessions in tests/data/editor/*.txt drive the main window's
// logic (the grid, its keys and controls, the menu commands and their questions) and check what
// the grid shows and the table holds. The language of a session file:
//
//   == title                    a new case on a freshly started window, in a new program folder
//   restart                     a new window on the same program folder
//   setup KEY=VALUE ...         setup.ini lines, before the first step
//   file NAME = CONTENT         a file of the program folder ("{folder}" in it stands for the
//                               folder's path) | link NAME = TARGET   a link there | readonly
//                               NAME   the file made read-only for everyone (mode 0444)
//   put ROW [BANK] = FIELDS     stores "frequency|tag|delay|lock out|subtone|beep|att" (left-out
//                               On/Off and subtone fields "0") in the shown bank or bank 1..10, D,
//                               as the file holds it (so do fill, search, priorities, options)
//   fill FIRST LAST             rows FIRST..LAST: "<140 + row>.5|T<row>", then a redraw
//   search FROM TO [THIRD]      the search range | spare ROW = TEXT   field 0 of a row
//   priorities|options = A,B,.. the priority channels or scanner settings from entry 0 on
//   noreport                    the duplicate report goes to a folder that does not exist
//   noviewer                    the desktop has no program to show a document
//   grid ROW COLUMN = TEXT      a cell as the grid shows it (typed, not yet stored)
//   redraw | bank N|D | select ROW COLUMN [ROW COLUMN] | click | release | dblclick
//   type TEXT | char CODE... | key [shift+][ctrl+]NAME...   (Tab Space Delete Numpad0/1/Add/
//                               Subtract or a letter/digit)
//   box TEXT | boxenter | pick INDEX | offon on|off | easytag TEXT   the controls above the grid
//   answer yes|no|ok|cancel...  the next questions' answers | clip TEXT   the clipboard
//   cmd CAPTION                 the menu command whose caption (without "&") starts so, or the
//                               toolbar button of that tip | item N CAPTION   item N (from 1) of
//                               that command's submenu of listed items
//   savepath|openpath [NAME]    the next file dialog's answer, a file of the program folder
//                               (none: Cancel) | exit   the window's close box | tick N   backup
//                               timer minutes | clock Y M D h m s   the time
//   place LEFT TOP WIDTH HEIGHT normal|maximised | width COLUMN TWIPS   the window's geometry
//   reload                      the last-file timer | open NAME   a channel file handed to the
//                               window (command line, second start, drop)
//   import STEP [ARG] [= TEXT]  the Advanced Data Import: open, scan = TEXT, select|unselect
//                               ENTRY|none, twenty, all, back, clear found|selected, bank N|D,
//                               start = T, leave, totable, toclipboard, fromclipboard, fromfile
//   set WHAT [ARG] [= TEXT] | press BUTTON | close ok|cancel   the dialog the last command
//                               opened. Memory Manager: scope all|current, op copy|move|swap,
//                               from|to ENTRY, tags|freqs yes|no, press apply. Find, Replace:
//                               scope, field frequency|comments, text = T, with = T, press find|
//                               apply. Priority Channels: bank N = T, press validate. Other
//                               Options: banks|switches 1011... Easy Fill: from|to|start|step|tag
//                               = T, series yes|no, box FIELD yes|no, switch FIELD 0|1, subtone
//                               N, press apply|all|default|selectall. Bank Tags: name N = T,
//                               press center|left|clear|default. Software Options: zeros yes|no,
//                               align N, easytags yes|no. Export, Print: all (every bank).
//                               Import Channel List: first N, pick ENTRY yes|no, bylocation
//                               yes|no
//   check WHAT [ARGS] = VALUE   paths in what is found are relative to the program folder.
//                               WHAT: cells ROW, cell ROW COLUMN, row ROW [BANK], column FIELD,
//                               cursor, unsaved, undo, busy and said (the pointer's changes and
//                               the messages since the last such check),
//                               status (the status bar's last text),
//                               beeps, clipboard, usage, channels, help, controls, boxkeys KEYS,
//                               report (dupl.txt), tags, dropdowns, title, banktitle, tab N,
//                               enabled|checked CAPTION, items CAPTION (a submenu's listed items),
//                               exit (its answer), file NAME, line NAME N,
//                               exists NAME, filename, placement, widths, setting NAME, outcome
//                               (of the last command: done, window, close), window, opened,
//                               form (the open dialog), entry N, entries, priority, options, names,
//                               search (the search range),
//                               import (both lists, the start and its channel, the export's answer)
// TEXT and VALUE run to the end of the line (a line ending in " =" checks for the empty text,
// a VALUE ending in "\*" for any text that starts with the rest);
// \r \n \t \s (a blank) \\ and \xHH are escapes.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "editor/grid_bridge.h"
#include "editor/history.h"
#include "editor/main_window.h"
#include "files/csv_import_form.h"
#include "settings/settings.h"
#include "support/fake_ports.h"
#include "support/golden.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

namespace fs = std::filesystem;

std::string YesNo(bool value) { return value ? "yes" : "no"; }

int Int(std::istream& in) {
  int value = 0;
  in >> value;
  return value;
}

// The items of `list`, each as `show` writes it, joined by `separator`.
template <typename List, typename Show>
std::string Joined(const List& list, std::string_view separator, Show show) {
  std::string text;
  bool first = true;
  for (const auto& item : list) {
    text += (first ? "" : std::string(separator)) + show(item);
    first = false;
  }
  return text;
}
const auto kAsIs = [](const auto& item) { return std::string(item); };

const std::pair<std::string_view, int> kFields[] = {{"frequency", kFieldFrequency},
                                                    {"tag", kFieldTag},
                                                    {"delay", kFieldDelay},
                                                    {"lockout", kFieldLockOut},
                                                    {"subtone", kFieldSubtone},
                                                    {"beep", kFieldBeepAlert},
                                                    {"att", kFieldAtt},
                                                    {"spare", kFieldSpare}};

using Steps = std::map<std::string, std::function<void()>>;

class Session {
 public:
  explicit Session(const fs::path& folder) : folder_(folder) { window_.SetReportFolder(folder_); }

  // Carries out one step; a check returns what it found and `want` what it expected.
  void Step(const std::string& verb, std::istringstream& args, const std::string& value,
            std::string& found) {
    if (verb == "setup" || verb == "file") {
      EXPECT_FALSE(started_ && verb == "setup") << "setup after the start";
      std::string name;
      if (verb == "file" && args >> name) {
        fs::create_directories((folder_ / name).parent_path());
        std::string content = value;
        for (auto at = content.find("{folder}"); at != std::string::npos;
             at = content.find("{folder}")) {
          content.replace(at, 8, folder_.string());
        }
        WriteBytes(folder_ / name, content);
      }
      for (std::string item; verb == "setup" && args >> item;) setup_ += item + "\r\n";
      return;
    }
    Start();
    const Steps steps = {
        {"put",
         [&] {
           const int row = Int(args);
           const std::string bank = Rest(args);
           Put(bank.empty() ? ws_.current_bank : Bank(bank), row, value);
         }},
        {"fill",
         [&] {  // rows FIRST..LAST: "<140 + row>.5|T<row>"
           const int first = Int(args), last = Int(args);
           for (int row = first; row <= last; ++row) {
             Put(ws_.current_bank, row, std::to_string(140 + row) + ".5|T" + std::to_string(row));
           }
           window_.Redraw();
         }},
        {"spare", [&] { ws_.table.At(ws_.current_bank, Int(args), kFieldSpare) = value; }},
        {"link", [&] { fs::create_symlink(value, folder_ / Rest(args)); }},
        {"readonly",
         [&] {
           using fs::perms;
           fs::permissions(folder_ / Rest(args),
                           perms::owner_read | perms::group_read | perms::others_read);
         }},
        {"noreport", [&] { window_.SetReportFolder(folder_ / "missing"); }},
        {"noviewer", [&] { ui_.document_viewer = false; }},
        {"priorities", [&] { List(value, ws_.priority.data()); }},
        {"options", [&] { List(value, ws_.scanner_settings.data()); }},
        {"search",
         [&] { args >> ws_.search_range[0] >> ws_.search_range[1] >> ws_.search_range[2]; }},
        {"grid",
         [&] {
           const int row = Int(args);
           ws_.grid.Cell(row, Int(args)) = value;
         }},
        {"redraw", [&] { window_.Redraw(); }},
        {"bank", [&] { window_.ShowBank(Bank(Rest(args))); }},
        {"select",
         [&] {
           int row = 0, column = 0, end_row = -1, end_column = -1;
           args >> row >> column >> end_row >> end_column;
           window_.SetSelection({row, column},
                                end_row < 0 ? CellPos{row, column} : CellPos{end_row, end_column});
         }},
        {"click", [&] { editor().LeftButtonDown(); }},
        {"release", [&] { editor().LeftButtonUp(); }},
        {"dblclick", [&] { editor().DoubleClick(); }},
        {"type",
         [&] {
           for (const char c : Rest(args)) editor().TypeChar(static_cast<unsigned char>(c));
         }},
        {"char",
         [&] {
           for (int code = 0; args >> code;) editor().TypeChar(code);
         }},
        {"key",
         [&] {
           for (std::string key; args >> key;) Key(key);
         }},
        {"box", [&] { editor().EditorBoxTextChanged(Rest(args)); }},
        {"boxenter", [&] { editor().EditorBoxEnter(); }},
        {"pick", [&] { editor().ChoosePickerEntry(Int(args)); }},
        {"offon", [&] { editor().ChooseOffOn(Rest(args) == "on"); }},
        {"easytag", [&] { editor().ChooseEasyTag(Rest(args)); }},
        {"answer",
         [&] {
           const std::map<std::string, Answer> answers = {{"yes", Answer::kYes},
                                                          {"no", Answer::kNo},
                                                          {"ok", Answer::kOk},
                                                          {"cancel", Answer::kCancel}};
           for (std::string word; args >> word;) ui_.answers.push_back(answers.at(word));
         }},
        {"clip", [&] { clipboard_.text = Rest(args); }},
        {"cmd",
         [&] {
           const std::string caption = Rest(args);
           const auto command = Command(caption);
           ASSERT_TRUE(command.has_value()) << "no menu command \"" << caption << "\"";
           outcome_ = window_.Run(*command);
           dialog_ = *command;
         }},
        {"item",
         [&] {
           const int item = Int(args);
           const std::string caption = Rest(args);
           const auto command = Command(caption);
           ASSERT_TRUE(command.has_value()) << "no menu command \"" << caption << "\"";
           outcome_ = window_.RunListed(*command, static_cast<std::size_t>(item - 1));
           dialog_ = *command;
         }},
        {"savepath", [&] { ui_.save_paths.push_back(Path(Rest(args))); }},
        {"openpath", [&] { ui_.open_paths.push_back(Path(Rest(args))); }},
        {"place",
         [&] {
           WindowPlacement p;
           std::string state;
           args >> p.left >> p.top >> p.width >> p.height >> state;
           p.state = state == "maximised" ? WindowState::kMaximised : WindowState::kNormal;
           window_.SetPlacement(p);
         }},
        {"width",
         [&] {
           const int column = Int(args);
           window_.SetColumnWidth(column, Int(args));
         }},
        {"reload", [&] { window_.ReloadLastFile(); }},
        {"open", [&] { window_.OpenChannelFile(Path(Rest(args)).value_or("")); }},
        {"exit", [&] { exited_ = window_.RequestExit(); }},
        {"tick",
         [&] {
           for (int i = Int(args); i > 0; --i) window_.BackupTick();
         }},
        {"clock",
         [&] {
           LocalTime& t = clock_.now;
           args >> t.year >> t.month >> t.day >> t.hour >> t.minute >> t.second;
         }},
        {"import", [&] { Import(args, value); }},
        {"set", [&] { Dialog("set " + Word(args), args, value); }},
        {"press", [&] { Dialog("press " + Word(args), args, value); }},
        {"close",
         [&] {
           window_.DialogClosed(
               dialog_, Rest(args) == "ok" ? DialogResult::kConfirmed : DialogResult::kDismissed);
         }},
        {"check",
         [&] {
           found = Check(Word(args), args);
           const std::string folder = folder_.string() + "/";  // paths are shown relative to it
           for (auto at = found.find(folder); at != std::string::npos; at = found.find(folder, at))
             found.erase(at, folder.size());
         }},
    };
    Take(steps, verb, "step");
    // What a session puts into the tables is the document as its file holds it, with nothing to
    // undo; the grid shows it after the next redraw.
    static const std::set<std::string> kAsTheFileHoldsIt = {"put", "fill", "priorities", "options",
                                                            "search"};
    if (kAsTheFileHoldsIt.contains(verb)) ws_.history.Reset(ws_.table, ws_);
  }

 private:
  void Start() {
    if (started_) return;
    started_ = true;
    if (!setup_.empty()) WriteBytes(folder_ / "setup.ini", "[setup]\r\n" + setup_);
    window_.Startup();
  }
  CellEditor& editor() { return window_.editor(); }
  static std::string Word(std::istringstream& args) {
    std::string word;
    args >> word;
    return word;
  }
  // "a,b,c...": entries from 0 on.
  static void List(const std::string& value, int* entry) {
    std::istringstream list(value);
    for (std::string item; std::getline(list, item, ',');) *entry++ = std::stoi(item);
  }
  // A file of the program folder for the next file dialog; none: Cancel.
  std::optional<std::string> Path(const std::string& name) const {
    if (name.empty()) return std::nullopt;
    return (folder_ / name).string();
  }
  static std::string Rest(std::istringstream& args) {
    std::string rest;
    std::getline(args >> std::ws, rest);
    return Unescaped(rest);
  }
  static int Bank(const std::string& name) {
    return name == "D" ? kDummyBank : std::stoi(name) - 1;
  }
  static int Field(const std::string& name) {
    for (const auto& [field_name, field] : kFields) {
      if (name == field_name) return field;
    }
    ADD_FAILURE() << "no field \"" << name << "\"";
    return kFieldSpare;
  }
  void Put(int bank, int row, std::string_view fields) {
    for (int field = kFieldFrequency; field <= kFieldAtt; ++field) {
      const auto bar = fields.find('|');
      const bool left_out = bar == std::string_view::npos && fields.empty();
      ws_.table.At(bank, row, field) =
          left_out && field > kFieldTag ? "0" : std::string(fields.substr(0, bar));
      fields = bar == std::string_view::npos ? std::string_view() : fields.substr(bar + 1);
    }
  }
  std::string Row(int bank, int row) const {
    std::string text = ws_.table.At(bank, row, kFieldFrequency);
    for (int field = kFieldTag; field <= kFieldAtt; ++field)
      text += "|" + ws_.table.At(bank, row, field);
    return text;
  }
  void Key(std::string name) {
    KeyModifiers modifiers;
    for (const auto& [prefix, flag] :
         {std::pair{"shift+", &modifiers.shift}, {"ctrl+", &modifiers.ctrl}}) {
      if (name.starts_with(prefix)) {
        *flag = true;
        name.erase(0, std::string_view(prefix).size());
      }
    }
    const std::pair<std::string_view, int> keys[] = {{"Tab", kKeyTab},
                                                     {"Space", kKeySpace},
                                                     {"Delete", kKeyDelete},
                                                     {"Enter", kKeyEnter},
                                                     {"Numpad0", kKeyNumpad0},
                                                     {"Numpad1", kKeyNumpad1},
                                                     {"NumpadAdd", kKeyNumpadAdd},
                                                     {"NumpadSubtract", kKeyNumpadSubtract}};
    int code = name.size() == 1 ? name[0] : -1;
    for (const auto& [key_name, key] : keys) {
      if (name == key_name) code = key;
    }
    ASSERT_GE(code, 0) << "no key \"" << name << "\"";
    editor().PressKey(code, modifiers);
  }
  static std::optional<CommandId> Command(const std::string& caption) {
    for (const MenuEntry& entry : MenuEntries()) {
      std::string text;
      for (const char c : std::string(entry.caption)) {
        if (c != '&') text += c;
      }
      if (entry.command != CommandId::kNone && text.starts_with(caption)) return entry.command;
    }
    for (const ToolbarButton& button : ToolbarButtons()) {
      if (button.command != CommandId::kNone && button.tooltip == caption) return button.command;
    }
    return std::nullopt;
  }
  // The Advanced Data Import's form: its buttons and fields.
  void Import(std::istringstream& args, const std::string& value) {
    std::string what, word;
    args >> what >> word;
    const auto entry = [&]() -> std::optional<std::size_t> {
      if (word == "none") return std::nullopt;
      return static_cast<std::size_t>(std::stoi(word));
    };
    const Steps steps = {
        {"open", [&] { import_.Open(ws_.current_bank); }},
        {"scan", [&] { import_.ScanText(value, ui_); }},
        {"select", [&] { import_.MoveToSelected(entry(), ui_); }},
        {"unselect", [&] { import_.MoveToFound(entry(), ui_); }},
        {"twenty", [&] { import_.MoveTwentyToSelected(); }},
        {"all", [&] { import_.MoveAllToSelected(); }},
        {"back", [&] { import_.MoveAllToFound(); }},
        {"clear", [&] { word == "found" ? import_.ClearFound() : import_.ClearSelected(); }},
        {"bank", [&] { import_.SelectBank(word == "D" ? kDummyBank : std::stoi(word) - 1); }},
        {"start", [&] { import_.SetStartText(value); }},
        {"leave", [&] { import_.LeaveStartField(); }},
        {"totable", [&] { exported_ = ExportHarvestToTable(ws_, import_, ui_); }},
        {"toclipboard", [&] { exported_ = import_.ExportToClipboard(clipboard_, ui_); }},
        {"fromclipboard", [&] { import_.ImportFromClipboard(clipboard_, ui_); }},
        {"fromfile", [&] { import_.ImportFromFile(ui_); }},
    };
    Take(steps, what, "import step");
  }
  // A field set or a button pressed in the dialog of the last command; "set NAME" takes a word
  // (yes/no, a number, a choice) or " = TEXT".
  void Dialog(const std::string& action, std::istringstream& args, const std::string& value) {
    DialogForms& d = window_.dialogs();
    std::string word;
    args >> word;
    const bool yes = word == "yes";
    const int number =
        !word.empty() && (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '-')
            ? std::stoi(word)
            : 0;
    const auto Index = [&](std::initializer_list<std::string_view> names) {
      const auto at = std::find(names.begin(), names.end(), word);
      EXPECT_NE(at, names.end()) << "no choice \"" << word << "\" for " << action;
      return static_cast<std::size_t>(at == names.end() ? 0 : at - names.begin());
    };
    const auto scope = word == "all" ? SearchScope::kAllBanks : SearchScope::kCurrentBank;
    const auto bits = [&](auto& flags) {
      for (std::size_t i = 0; i < word.size(); ++i) flags.at(i) = word[i] == '1';
    };
    MemoryManagerForm& manager = d.memory_manager;
    EasyFillForm& fill = d.easy_fill;
    Steps steps;
    switch (dialog_) {
      case CommandId::kMemoryChannels:
      case CommandId::kMemoryBanks:
        steps = {
            {"set scope",
             [&] {
               manager.SetScope(word == "all" ? ManagerScope::kAllBanks
                                              : ManagerScope::kCurrentBank);
             }},
            {"set op",
             [&] {
               manager.SetOperation(ManagerOperation(Index({"copy", "move", "swap"})));
             }},
            {"set from", [&] { manager.SelectSource(number); }},
            {"set to", [&] { manager.SelectDestination(number); }},
            {"set tags", [&] { manager.include_bank_tag = yes; }},
            {"set freqs", [&] { manager.frequencies = yes; }},
            {"press apply", [&] { manager.Apply(); }},
        };
        break;
      case CommandId::kFind:
        steps = {
            {"set scope", [&] { d.find.SetScope(scope); }},
            {"set field",
             [&] {
               d.find.SetField(word == "comments" ? FindForm::kComments : FindForm::kFrequency);
             }},
            {"set text", [&] { d.find.text = value; }},
            {"press find", [&] { d.find.Find(); }},
        };
        break;
      case CommandId::kReplace:
        steps = {
            {"set scope", [&] { d.replace.scope = scope; }},
            {"set text", [&] { d.replace.find_text = value; }},
            {"set with", [&] { d.replace.replace_text = value; }},
            {"press apply", [&] { replaced_ = d.replace.Apply(); }},
        };
        break;
      case CommandId::kPriorityChannels:
        steps = {{"set bank", [&] { d.priority.SetField(number - 1, value); }},
                 {"press validate", [&] { d.priority.ValidateAll(); }}};
        break;
      case CommandId::kScannerOptions:
        steps = {{"set banks", [&] { bits(d.scanner_options.bank_active); }},
                 {"set switches", [&] { bits(d.scanner_options.switch_on); }}};
        break;
      case CommandId::kEasyFill:
        steps = {
            {"set from", [&] { fill.first_channel = value; }},
            {"set to", [&] { fill.last_channel = value; }},
            {"set start", [&] { fill.start = value; }},
            {"set step", [&] { fill.step = value; }},
            {"set tag", [&] { fill.tag = value; }},
            {"set series", [&] { fill.fill_series = yes; }},
            {"set box",
             [&] {
               const auto box =
                   Index({"frequency", "tag", "delay", "beep", "lockout", "att", "subtone"});
               fill.boxes.at(box) = (args >> word, word == "yes");
             }},
            {"set switch",
             [&] {
               args >> fill.switches.at(Index({"delay", "beep", "lockout", "att"}));
             }},
            {"set subtone", [&] { fill.subtone = number; }},
            {"press apply", [&] { fill.Apply(ws_); }},
            {"press all", [&] { fill.AllChannels(); }},
            {"press default", [&] { fill.Default(); }},
            {"press selectall", [&] { fill.ToggleSelectAll(); }},
        };
        break;
      case CommandId::kSoftwareOptions:
        steps = {
            {"set zeros",
             [&] { d.software_options.options[SoftwareOptionsForm::kHideZeros] = yes; }},
            {"set align", [&] { d.software_options.alignment = number; }},
            {"set easytags",
             [&] { d.software_options.options[SoftwareOptionsForm::kEasyTagList] = yes; }},
        };
        break;
      case CommandId::kExportCsv:
      case CommandId::kPrint:
        steps = {{"set all",
                  [&] {
                    d.csv_export.SelectOption(ExportCsvForm::kAllBanks);
                    d.print.SelectOption(PrintForm::kAllBanks);
                  }},
                 {"press ok", [&] { exported_ = d.csv_export.Ok(ws_, ws_.current_bank, ui_); }}};
        break;
      case CommandId::kImportChannelList:
      case CommandId::kImportStockList:
        steps = {
            {"set first", [&] { d.channel_list.SetFirstChannel(number); }},
            {"set bylocation", [&] { d.channel_list.SetByLocation(yes); }},
            {"set pick",
             [&] { d.channel_list.SetPicked(std::size_t(number), (args >> word, word == "yes")); }},
        };
        break;
      case CommandId::kBankTags:
        steps = {
            {"set name", [&] { d.bank_names.SetField(number, value); }},
            {"press center", [&] { d.bank_names.Center(); }},
            {"press left", [&] { d.bank_names.Left(); }},
            {"press clear", [&] { d.bank_names.ClearAll(); }},
            {"press default", [&] { d.bank_names.Default(); }},
        };
        break;
      default: break;
    }
    Take(steps, action, "step in the open dialog");
  }
  // Runs the step named `name`; a name the steps do not know fails the test.
  static void Take(const Steps& steps, const std::string& name, const char* kind) {
    const auto step = steps.find(name);
    if (step == steps.end()) return ADD_FAILURE() << "no " << kind << " \"" << name << "\"";
    step->second();
  }
  // The open dialog's state, as one line.
  std::string Form() {
    DialogForms& d = window_.dialogs();
    std::string text;
    switch (dialog_) {
      case CommandId::kMemoryChannels:
      case CommandId::kMemoryBanks:
        return "from " + std::to_string(d.memory_manager.source()) + " to " +
               std::to_string(d.memory_manager.destination()) + " apply " +
               YesNo(d.memory_manager.apply_enabled()) + " tags " +
               YesNo(d.memory_manager.include_bank_tag) + " mode " +
               std::string(window_.manager_mode()) + " title " +
               std::string(d.memory_manager.Title());
      case CommandId::kFind:
        return "channel " + d.find.channel_label() + " bank " + d.find.bank_label() + " field " +
               std::to_string(d.find.field()) + " scope " +
               (d.find.scope() == SearchScope::kAllBanks ? "all" : "current") +
               (d.find.wrapped() ? " wrapped" : "");
      case CommandId::kReplace: return "replaced " + std::to_string(replaced_);
      case CommandId::kImportChannelList:
      case CommandId::kImportStockList:
        for (const std::string& outcome : d.channel_list.Outcomes()) text += outcome + " // ";
        text += d.channel_list.OverwriteSummary(ws_.table);
        if (const std::string no_room = d.channel_list.NoRoomSummary(); !no_room.empty()) {
          text += " " + no_room;
        }
        return (d.channel_list.by_location()
                    ? std::string("at locations")
                    : "from " + std::to_string(d.channel_list.first_channel())) +
               (d.channel_list.locations_usable() ? "" : " (locations unusable)") + ": " + text;
      case CommandId::kExportCsv:
        return "all " + YesNo(d.csv_export.option() == ExportCsvForm::kAllBanks);
      case CommandId::kPrint: return "all " + YesNo(d.print.option() == PrintForm::kAllBanks);
      case CommandId::kPriorityChannels:
        for (int bank = 0; bank < PriorityForm::kBanks; ++bank)
          text += (bank > 0 ? "," : "") + d.priority.Field(bank);
        return text;
      case CommandId::kScannerOptions:
        for (const bool on : d.scanner_options.bank_active) text += on ? '1' : '0';
        text += ' ';
        for (const bool on : d.scanner_options.switch_on) text += on ? '1' : '0';
        return text;
      case CommandId::kEasyFill: {
        const EasyFillForm& f = d.easy_fill;
        for (const bool box : f.boxes) text += box ? '1' : '0';
        return f.first_channel + ".." + f.last_channel + " start " + f.start + " step " + f.step +
               " boxes " + text + " apply " + YesNo(f.apply_enabled) + " " +
               std::string(f.SelectAllButtonCaption());
      }
      case CommandId::kBankTags:
        for (int field = 0; field < BankNamesForm::kFieldCount; ++field) {
          text +=
              d.bank_names.Field(field) + "(" + std::to_string(d.bank_names.Counter(field)) + ")|";
        }
        return text;
      default: return "no dialog";
    }
  }

  std::string Check(const std::string& what, std::istringstream& args) {
    int a = 0, b = 0;
    std::string name;
    if (what == "cells") {
      args >> a;
      std::string text = ws_.grid.Cell(a, 1);
      for (int column = 2; column <= 7; ++column) text += "|" + ws_.grid.Cell(a, column);
      return text;
    }
    if (what == "cell") {
      args >> a >> b;
      return ws_.grid.Cell(a, b);
    }
    if (what == "row") {
      args >> a >> name;
      return Row(name.empty() ? ws_.current_bank : Bank(name), a);
    }
    if (what == "column") {
      args >> name;
      const int field = Field(name);
      std::string text = ws_.table.At(ws_.current_bank, 1, field);
      for (int row = 2; row <= kChannelsPerBank; ++row)
        text += "," + ws_.table.At(ws_.current_bank, row, field);
      return text;
    }
    if (what == "cursor") {
      const Grid& g = ws_.grid;
      return std::to_string(g.current.row) + " " + std::to_string(g.current.column) + " " +
             std::to_string(g.selection_end.row) + " " + std::to_string(g.selection_end.column);
    }
    if (what == "unsaved") return YesNo(UnsavedChanges(ws_));
    if (what == "undo") return YesNo(window_.IsEnabled(CommandId::kUndo));
    if (what == "said") {
      const std::vector<Message> said(ui_.shown.begin() + static_cast<std::ptrdiff_t>(said_),
                                      ui_.shown.end());
      said_ = ui_.shown.size();
      return Joined(said, " // ", [](const Message& m) { return m.text; });
    }
    if (what == "beeps") return std::to_string(ui_.beeps);
    if (what == "status") return ui_.statuses.empty() ? "" : ui_.statuses.back();
    if (what == "busy") {  // the busy pointer's changes since the last check
      const std::vector<bool> changes(ui_.busy_changes.begin() + std::ptrdiff_t(busy_),
                                      ui_.busy_changes.end());
      busy_ = ui_.busy_changes.size();
      return Joined(changes, " ", YesNo);
    }
    if (what == "clipboard") return clipboard_.text;
    if (what == "usage") return ws_.status.bank_usage;
    if (what == "channels")
      return ws_.status.current_channel + "/" + ws_.status.last_selected_channel;
    if (what == "help") return editor().help_text();
    if (what == "box")
      return editor().controls().editor_box_text + "/" +
             std::to_string(editor().controls().editor_box_length);
    if (what == "controls") {
      const ControlsAboveGrid& k = editor().controls();
      std::string text;
      if (k.editor_box)
        text += "box " + k.editor_box_text + "/" + std::to_string(k.editor_box_limit);
      if (k.easy_tags) text += " tags";
      if (k.off_on) {
        text += "offon ";
        text += k.off_on_value == OffOn::kOn ? "1" : k.off_on_value == OffOn::kOff ? "0" : "-1";
      }
      if (k.picker) text += "picker " + std::to_string(k.picker_index);
      return text;
    }
    if (what == "boxkeys") {
      std::string text;
      for (const char c : Rest(args))
        text += editor().EditorBoxKey(static_cast<unsigned char>(c)) ? 'Y' : 'N';
      return text;
    }
    if (what == "report") return ReadBytes(folder_ / "dupl.txt");
    if (what == "dropdowns") {  // the Easy Tag list, then the shown bank's list
      return Joined(ws_.tag_dropdowns.easy_tags, ",", kAsIs) + "|" +
             Joined(ws_.tag_dropdowns.bank_tags.at(ws_.current_bank), ",", kAsIs);
    }
    if (what == "title") return window_.title();
    if (what == "banktitle") return window_.bank_title() + "|" + window_.dummy_notice();
    if (what == "tab") return window_.tab_caption(Int(args) - 1);
    if (what == "items") {
      const auto command = Command(Rest(args));
      return command ? Joined(window_.ListedItems(*command), " // ", kAsIs) : "no such command";
    }
    if (what == "enabled" || what == "checked") {
      const auto command = Command(Rest(args));
      if (!command) return "<no such command>";
      return YesNo(what == "enabled" ? window_.IsEnabled(*command) : window_.IsChecked(*command));
    }
    if (what == "exit") return YesNo(exited_);
    if (what == "form") return Form();
    if (what == "import") {  // both lists, the start and its channel, the last export's answer
      return "found[" + Joined(import_.found(), ",", kAsIs) + "] selected[" +
             Joined(import_.selected(), ",", kAsIs) + "] start " + import_.start_text() + " " +
             import_.StartChannelText() + " exported " + YesNo(exported_);
    }
    if (what == "entry")
      return window_.dialogs().memory_manager.entries().at(static_cast<std::size_t>(Int(args)));
    if (what == "entries") return std::to_string(window_.dialogs().memory_manager.entries().size());
    const auto number = [](int n) { return std::to_string(n); };
    if (what == "priority") return Joined(ws_.priority, ",", number);
    if (what == "options") return Joined(ws_.scanner_settings, "", number);
    if (what == "names") return Joined(ws_.bank_names, "|", kAsIs) + "|";
    if (what == "search") return Joined(ws_.search_range, ",", kAsIs);
    if (what == "outcome") {
      return outcome_ == CommandOutcome::kDone        ? "done"
             : outcome_ == CommandOutcome::kForWindow ? "window"
                                                      : "close";
    }
    if (what == "window") {
      return "align " + std::to_string(static_cast<int>(window_.alignment())) + " toolbars " +
             YesNo(window_.toolbars_visible()) + " reload " + YesNo(window_.WantsLastFileReload());
    }
    if (what == "opened") {
      return Joined(ui_.opened_documents, "",
                    [](const auto& path) { return fs::weakly_canonical(path).string() + " "; });
    }
    if (what == "file") return ReadBytes(folder_ / Rest(args));
    if (what == "line") {  // line N of a file, without its line end
      args >> name >> a;
      std::istringstream file(ReadBytes(folder_ / name));
      std::string text;
      for (int i = 0; i < a && std::getline(file, text);) ++i;
      return text.ends_with('\r') ? text.substr(0, text.size() - 1) : text;
    }
    if (what == "exists") return YesNo(fs::exists(folder_ / Rest(args)));
    if (what == "savedialog") {  // the last file dialog that asked where to save
      const FileDialog& d = ui_.save_dialogs.back();
      return d.filter + (d.confirm_overwrite ? ", overwrite asked" : ", overwrite not asked");
    }
    if (what == "filename")
      return ws_.file_name == std::string(kUntitled) ? ws_.file_name
                                                     : fs::path(ws_.file_name).filename().string();
    if (what == "placement") {
      const WindowPlacement& p = window_.placement();
      return std::to_string(p.left) + " " + std::to_string(p.top) + " " + std::to_string(p.width) +
             " " + std::to_string(p.height) +
             (p.state == WindowState::kMaximised ? " maximised" : " normal");
    }
    if (what == "widths") return Joined(window_.column_widths(), " ", number);
    if (what == "setting") {  // as setup.ini holds it
      args >> name;
      const std::string saved = SaveSettings(ws_.settings);
      const auto at = saved.find("\n" + name + "=");
      return at == std::string::npos
                 ? ""
                 : saved.substr(at + name.size() + 2, saved.find('\r', at) - at - name.size() - 2);
    }
    if (what == "tags") {
      const auto& list = ws_.tags.tag_list;
      return Joined(
          std::vector<std::string>(list.begin() + 1, list.begin() + 1 + ws_.tags.tag_count), ",",
          kAsIs);
    }
    ADD_FAILURE() << "nothing to check called \"" << what << "\"";
    return {};
  }

  fs::path folder_;
  Workspace ws_;
  ScriptedUi ui_;
  FakeClipboard clipboard_;
  FakeClock clock_;
  MainWindowLogic window_{ws_, ui_, clipboard_, clock_, {folder_, folder_}};
  std::string setup_;
  bool started_ = false;
  bool exited_ = false;
  CommandOutcome outcome_ = CommandOutcome::kDone;
  CommandId dialog_ = CommandId::kNone;  // the last command run
  CsvImportForm import_;
  bool exported_ = false;
  int replaced_ = 0;
  std::size_t said_ = 0;
  std::size_t busy_ = 0;
};

class Scenario : public ::testing::TestWithParam<std::string> {};

TEST_P(Scenario, RunsAsWritten) {
  const fs::path path = fs::path(TALVIREX_TEST_DATA) / "editor" / (GetParam() + ".txt");
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::unique_ptr<TempDir> folder;
  std::unique_ptr<Session> session;
  std::string title;
  int line_number = 0;
  for (std::string line; std::getline(in, line);) {
    ++line_number;
    if (line.empty() || line[0] == '#') continue;
    if (line.starts_with("== ")) {
      title = line.substr(3);
      session.reset();
      folder = std::make_unique<TempDir>();
      session = std::make_unique<Session>(folder->path());
      continue;
    }
    if (line == "restart") {  // the program starts again on the same folder
      session = std::make_unique<Session>(folder->path());
      continue;
    }
    ASSERT_TRUE(session) << "a step before the first \"==\"";
    // " = VALUE" or, for the empty value, a line ending in " ="; "\*" at the end: any rest
    auto equals = line.find(" = ");
    if (equals == std::string::npos && line.ends_with(" =")) equals = line.size() - 2;
    std::string raw =
        equals == std::string::npos ? "" : line.substr(std::min(equals + 3, line.size()));
    const bool prefix = raw.ends_with("\\*");
    const std::string value = Unescaped(prefix ? raw.substr(0, raw.size() - 2) : raw);
    std::istringstream args(line.substr(0, equals));
    std::string verb, found;
    args >> verb;
    SCOPED_TRACE(path.filename().string() + ":" + std::to_string(line_number) + " (" + title + ")");
    session->Step(verb, args, value, found);
    if (verb == "check" && (prefix ? !found.starts_with(value) : found != value)) {
      ADD_FAILURE() << line << "\n found: " << Escaped(found);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Editor, Scenario,
                         ::testing::Values("cell_editor", "line_commands", "table_commands",
                                           "window", "dialogs"));

}  // namespace
}  // namespace talvirex::testing
