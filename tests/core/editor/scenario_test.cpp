// The editor as a user meets it: sessions in tests/data/editor/*.txt drive the main window's
// logic (the grid, its keys and controls, the menu commands and their questions) and check what
// the grid shows and the table holds. The language of a session file:
//
//   == title                    a new case on a freshly started window, in a new program folder
//   restart                     a new window on the same program folder
//   setup KEY=VALUE ...         setup.ini lines, before the first step
//   file NAME = CONTENT         a file of the program folder ("{folder}" in it stands for the
//                               folder's path) | link NAME = TARGET   a link there
//   put ROW [BANK] = FIELDS     stores "frequency|tag|delay|lock out|subtone|beep|att" (left-out
//                               On/Off and subtone fields "0") in the shown bank or bank 1..10, D
//   fill FIRST LAST             rows FIRST..LAST: "<140 + row>.5|T<row>", then a redraw
//   search FROM TO              the search range | spare ROW = TEXT   field 0 of a row
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
//                               toolbar button of that tip
//   savepath|openpath [NAME]    the next file dialog's answer, a file of the program folder
//                               (none: Cancel) | exit   the window's close box | tick N   backup
//                               timer minutes | clock Y M D h m s   the time
//   place LEFT TOP WIDTH HEIGHT normal|maximised | width COLUMN TWIPS   the window's geometry
//   reload                      the last-file timer
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
//                               align N. Export, Print: all (every bank). Import Channel List:
//                               first N, pick ENTRY yes|no
//   check WHAT [ARGS] = VALUE   paths in what is found are relative to the program folder. WHAT:
//   cells ROW, cell ROW COLUMN, row ROW [BANK], column FIELD,
//                               cursor, unsaved, undo, busy, said (messages since the last "said"),
//                               status (the status bar's last text),
//                               beeps, clipboard, usage, channels, help, controls, boxkeys KEYS,
//                               report (dupl.txt), tags, dropdowns, title, banktitle, tab N,
//                               enabled|checked CAPTION, exit (its answer), file NAME, line NAME N,
//                               exists NAME, filename, placement, widths, setting NAME, outcome
//                               (of the last command: done, window, close), window, opened,
//                               form (the open dialog), entry N, entries, priority, options, names,
//                               import (both lists, the start and its channel, the export's answer)
// TEXT and VALUE run to the end of the line (a line ending in " =" checks for the empty text,
// a VALUE ending in "\*" for any text that starts with the rest);
// \r \n \t \s (a blank) \\ and \xHH are escapes.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "editor/grid_bridge.h"
#include "editor/main_window.h"
#include "files/csv_import_form.h"
#include "settings/settings.h"
#include "support/fake_ports.h"
#include "support/temp_dir.h"
#include "workspace.h"

namespace talvirex::testing {
namespace {

namespace fs = std::filesystem;

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'x') {
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 's' ? ' ' : c;
    }
  }
  return out;
}

// The text as a check line would write it.
std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
  }
  return out;
}

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
    if (verb == "put") {
      int row = 0;
      std::string bank;
      args >> row >> bank;
      Put(bank.empty() ? ws_.current_bank : Bank(bank), row, value);
    } else if (verb == "fill") {
      int first = 0, last = 0;
      args >> first >> last;
      for (int row = first; row <= last; ++row) {
        Put(ws_.current_bank, row, std::to_string(140 + row) + ".5|T" + std::to_string(row));
      }
      window_.Redraw();
    } else if (verb == "spare") {
      ws_.table.At(ws_.current_bank, Int(args), kFieldSpare) = value;
    } else if (verb == "link") {  // a symbolic link in the program folder
      fs::create_symlink(value, folder_ / Rest(args));
    } else if (verb == "noreport") {
      window_.SetReportFolder(folder_ / "missing");
    } else if (verb == "noviewer") {
      ui_.document_viewer = false;
    } else if (verb == "priorities" || verb == "options") {  // "a,b,c...": entries from 0 on
      std::istringstream list(value);
      int* entry = verb == "options" ? ws_.scanner_settings.data() : ws_.priority.data();
      for (std::string item; std::getline(list, item, ',');) *entry++ = std::stoi(item);
    } else if (verb == "search") {
      args >> ws_.search_range[0] >> ws_.search_range[1];
    } else if (verb == "grid") {
      const int row = Int(args);
      ws_.grid.Cell(row, Int(args)) = value;
    } else if (verb == "redraw") {
      window_.Redraw();
    } else if (verb == "bank") {
      window_.ShowBank(Bank(Rest(args)));
    } else if (verb == "select") {
      int row = 0, column = 0, end_row = -1, end_column = -1;
      args >> row >> column >> end_row >> end_column;
      window_.SetSelection({row, column},
                           end_row < 0 ? CellPos{row, column} : CellPos{end_row, end_column});
    } else if (verb == "click") {
      editor().LeftButtonDown();
    } else if (verb == "release") {
      editor().LeftButtonUp();
    } else if (verb == "dblclick") {
      editor().DoubleClick();
    } else if (verb == "type") {
      for (const char c : Rest(args)) editor().TypeChar(static_cast<unsigned char>(c));
    } else if (verb == "char") {
      for (int code = 0; args >> code;) editor().TypeChar(code);
    } else if (verb == "key") {
      for (std::string key; args >> key;) Key(key);
    } else if (verb == "box") {
      editor().EditorBoxTextChanged(Rest(args));
    } else if (verb == "boxenter") {
      editor().EditorBoxEnter();
    } else if (verb == "pick") {
      editor().ChoosePickerEntry(Int(args));
    } else if (verb == "offon") {
      editor().ChooseOffOn(Rest(args) == "on");
    } else if (verb == "easytag") {
      editor().ChooseEasyTag(Rest(args));
    } else if (verb == "answer") {
      const std::pair<std::string_view, Answer> names[] = {{"yes", Answer::kYes},
                                                           {"no", Answer::kNo},
                                                           {"ok", Answer::kOk},
                                                           {"cancel", Answer::kCancel}};
      for (std::string word; args >> word;) {
        for (const auto& [name, answer] : names) {
          if (word == name) ui_.answers.push_back(answer);
        }
      }
    } else if (verb == "clip") {
      clipboard_.text = Rest(args);
    } else if (verb == "cmd") {
      const std::string caption = Rest(args);
      const auto command = Command(caption);
      ASSERT_TRUE(command.has_value()) << "no menu command \"" << caption << "\"";
      outcome_ = window_.Run(*command);
      dialog_ = *command;
    } else if (verb == "savepath" || verb == "openpath") {
      const std::string path = Rest(args);
      (verb == "savepath" ? ui_.save_paths : ui_.open_paths)
          .push_back(path.empty() ? std::optional<std::string>() : (folder_ / path).string());
    } else if (verb == "place") {
      WindowPlacement p;
      std::string state;
      args >> p.left >> p.top >> p.width >> p.height >> state;
      p.state = state == "maximised" ? WindowState::kMaximised : WindowState::kNormal;
      window_.SetPlacement(p);
    } else if (verb == "width") {
      const int column = Int(args);
      window_.SetColumnWidth(column, Int(args));
    } else if (verb == "reload") {
      window_.ReloadLastFile();
    } else if (verb == "exit") {
      exited_ = window_.RequestExit();
    } else if (verb == "tick") {
      for (int i = Int(args); i > 0; --i) window_.BackupTick();
    } else if (verb == "clock") {
      args >> clock_.now.year >> clock_.now.month >> clock_.now.day >> clock_.now.hour >>
          clock_.now.minute >> clock_.now.second;
    } else if (verb == "import") {
      Import(args, value);
    } else if (verb == "set" || verb == "press") {
      std::string what;
      args >> what;
      Dialog(verb + " " + what, args, value);
    } else if (verb == "close") {
      window_.DialogClosed(
          dialog_, Rest(args) == "ok" ? DialogResult::kConfirmed : DialogResult::kDismissed);
    } else if (verb == "check") {
      std::string what;
      args >> what;
      found = Check(what, args);
      const std::string folder = folder_.string() + "/";  // paths are shown relative to it
      for (auto at = found.find(folder); at != std::string::npos; at = found.find(folder, at))
        found.erase(at, folder.size());
    } else {
      FAIL() << "unknown step \"" << verb << "\"";
    }
  }

 private:
  void Start() {
    if (started_) return;
    started_ = true;
    if (!setup_.empty()) WriteBytes(folder_ / "setup.ini", "[setup]\r\n" + setup_);
    window_.Startup();
  }
  CellEditor& editor() { return window_.editor(); }
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
    if (what == "open")
      import_.Open(ws_.current_bank);
    else if (what == "scan")
      import_.ScanText(value, ui_);
    else if (what == "select")
      import_.MoveToSelected(entry(), ui_);
    else if (what == "unselect")
      import_.MoveToFound(entry(), ui_);
    else if (what == "twenty")
      import_.MoveTwentyToSelected();
    else if (what == "all")
      import_.MoveAllToSelected();
    else if (what == "back")
      import_.MoveAllToFound();
    else if (what == "clear")
      (word == "found" ? (void)import_.ClearFound() : import_.ClearSelected());
    else if (what == "bank")
      import_.SelectBank(word == "D" ? kDummyBank : std::stoi(word) - 1);
    else if (what == "start")
      import_.SetStartText(value);
    else if (what == "leave")
      import_.LeaveStartField();
    else if (what == "totable")
      exported_ = ExportHarvestToTable(ws_, import_, ui_);
    else if (what == "toclipboard")
      exported_ = import_.ExportToClipboard(clipboard_, ui_);
    else if (what == "fromclipboard")
      import_.ImportFromClipboard(clipboard_, ui_);
    else if (what == "fromfile")
      import_.ImportFromFile(ui_);
    else
      ADD_FAILURE() << "no import step \"" << what << "\"";
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
      int i = 0;
      for (const auto name : names) {
        if (name == word) return i;
        ++i;
      }
      ADD_FAILURE() << "no choice \"" << word << "\" for " << action;
      return 0;
    };
    const auto scope = word == "all" ? SearchScope::kAllBanks : SearchScope::kCurrentBank;
    bool known = true;
    switch (dialog_) {
      case CommandId::kMemoryChannels:
      case CommandId::kMemoryBanks: {
        MemoryManagerForm& f = d.memory_manager;
        if (action == "set scope")
          f.SetScope(word == "all" ? ManagerScope::kAllBanks : ManagerScope::kCurrentBank);
        else if (action == "set op")
          f.SetOperation(static_cast<ManagerOperation>(Index({"copy", "move", "swap"})));
        else if (action == "set from")
          f.SelectSource(number);
        else if (action == "set to")
          f.SelectDestination(number);
        else if (action == "set tags")
          f.include_bank_tag = yes;
        else if (action == "set freqs")
          f.frequencies = yes;
        else if (action == "press apply")
          f.Apply();
        else
          known = false;
        break;
      }
      case CommandId::kFind:
        if (action == "set scope")
          d.find.SetScope(scope);
        else if (action == "set field")
          d.find.SetField(word == "comments" ? FindForm::kComments : FindForm::kFrequency);
        else if (action == "set text")
          d.find.text = value;
        else if (action == "press find")
          d.find.Find();
        else
          known = false;
        break;
      case CommandId::kReplace:
        if (action == "set scope")
          d.replace.scope = scope;
        else if (action == "set text")
          d.replace.find_text = value;
        else if (action == "set with")
          d.replace.replace_text = value;
        else if (action == "press apply")
          replaced_ = d.replace.Apply();
        else
          known = false;
        break;
      case CommandId::kPriorityChannels:
        if (action == "set bank")
          d.priority.SetField(number - 1, value);
        else if (action == "press validate")
          d.priority.ValidateAll();
        else
          known = false;
        break;
      case CommandId::kScannerOptions:
        for (std::size_t i = 0; action == "set banks" && i < word.size(); ++i)
          d.scanner_options.bank_active.at(i) = word[i] == '1';
        for (std::size_t i = 0; action == "set switches" && i < word.size(); ++i)
          d.scanner_options.switch_on.at(i) = word[i] == '1';
        known = action == "set banks" || action == "set switches";
        break;
      case CommandId::kEasyFill: {
        EasyFillForm& f = d.easy_fill;
        if (action == "set from")
          f.first_channel = value;
        else if (action == "set to")
          f.last_channel = value;
        else if (action == "set start")
          f.start = value;
        else if (action == "set step")
          f.step = value;
        else if (action == "set tag")
          f.tag = value;
        else if (action == "set series")
          f.fill_series = yes;
        else if (action == "set box") {
          const int box = Index({"frequency", "tag", "delay", "beep", "lockout", "att", "subtone"});
          args >> word;
          f.boxes.at(static_cast<std::size_t>(box)) = word == "yes";
        } else if (action == "set switch") {
          const int which = Index({"delay", "beep", "lockout", "att"});
          args >> f.switches.at(static_cast<std::size_t>(which));
        } else if (action == "set subtone")
          f.subtone = number;
        else if (action == "press apply")
          f.Apply(ws_);
        else if (action == "press all")
          f.AllChannels();
        else if (action == "press default")
          f.Default();
        else if (action == "press selectall")
          f.ToggleSelectAll();
        else
          known = false;
        break;
      }
      case CommandId::kSoftwareOptions:
        if (action == "set zeros")
          d.software_options.options[SoftwareOptionsForm::kHideZeros] = yes;
        else if (action == "set align")
          d.software_options.alignment = number;
        else
          known = false;
        break;
      case CommandId::kExportCsv:
      case CommandId::kPrint:  // "set all": all banks
        d.csv_export.SelectOption(ExportCsvForm::kAllBanks);
        d.print.SelectOption(PrintForm::kAllBanks);
        known = action == "set all";
        break;
      case CommandId::kImportChannelList:
        if (action == "set first")
          d.channel_list.SetFirstChannel(number);
        else if (action == "set pick")
          d.channel_list.SetPicked(static_cast<std::size_t>(number), (args >> word, word == "yes"));
        else
          known = false;
        break;
      case CommandId::kBankTags:
        if (action == "set name")
          d.bank_names.SetField(number, value);
        else if (action == "press center")
          d.bank_names.Center();
        else if (action == "press left")
          d.bank_names.Left();
        else if (action == "press clear")
          d.bank_names.ClearAll();
        else if (action == "press default")
          d.bank_names.Default();
        else
          known = false;
        break;
      default: known = false;
    }
    EXPECT_TRUE(known) << "no step \"" << action << "\" in the open dialog";
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
               std::string(window_.manager_mode());
      case CommandId::kFind:
        return "channel " + d.find.channel_label() + " bank " + d.find.bank_label() + " field " +
               std::to_string(d.find.field()) + " scope " +
               (d.find.scope() == SearchScope::kAllBanks ? "all" : "current");
      case CommandId::kReplace: return "replaced " + std::to_string(replaced_);
      case CommandId::kImportChannelList:
        for (const std::string& outcome : d.channel_list.Outcomes()) text += outcome + " // ";
        return "from " + std::to_string(d.channel_list.first_channel()) + ": " + text +
               d.channel_list.OverwriteSummary(ws_.table);
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
    if (what == "unsaved") return YesNo(ws_.unsaved_changes);
    if (what == "undo") return YesNo(window_.IsEnabled(CommandId::kUndo));
    if (what == "said") {
      const std::vector<Message> said(ui_.shown.begin() + static_cast<std::ptrdiff_t>(said_),
                                      ui_.shown.end());
      said_ = ui_.shown.size();
      return Joined(said, " // ", [](const Message& m) { return m.text; });
    }
    if (what == "beeps") return std::to_string(ui_.beeps);
    if (what == "status") return ui_.statuses.empty() ? "" : ui_.statuses.back();
    if (what == "busy") return YesNo(!ui_.busy_changes.empty() && ui_.busy_changes.back());
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
