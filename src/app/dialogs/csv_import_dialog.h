// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `csvfile`, "Advanced Data Import": the window of CsvImportForm, and `info2`, the small
// "Webcatcher Info:" window that starts it on the clipboard. Both are non-modal and delete
// themselves when closed; the import dialog is centred over the main window.

#include <QDialog>
#include <functional>
#include <optional>

#include "files/csv_import_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;

namespace talvirex {

struct Workspace;
class Ui;
class Clipboard;

class CsvImportDialog final : public QDialog {
  Q_OBJECT

 public:
  CsvImportDialog(Workspace& workspace, Ui& ui, Clipboard& clipboard, QWidget* parent = nullptr);

  /// Menu "&Advanced Data Import": shows the dialog without blocking the main window, or raises
  /// the one already open over `parent`. The dialog deletes itself when closed. A dialog made
  /// here calls `on_table_changed` on every TableChanged (the main window's grid redraw).
  static CsvImportDialog* Show(Workspace& workspace, Ui& ui, Clipboard& clipboard, QWidget* parent,
                               std::function<void()> on_table_changed = {});

  /// "&Import From Clipboard".
  void ImportFromClipboard();

 signals:
  /// "Export To Table:" wrote frequencies into the channel table (and, when the bank it wrote is
  /// the one shown, into the grid): the main window redraws its grid view.
  void TableChanged();

 private:
  QLayout* BuildLists();
  QLayout* BuildTarget();
  /// Shows both lists, their counters and the clipboard field as the form holds them.
  void ShowLists();
  void ShowStartChannel();
  std::optional<std::size_t> SelectedRow(const QListWidget* list) const;
  template <typename Action>
  void Act(Action action);
  void ExportToTable();

  Workspace& workspace_;
  Ui& ui_;
  Clipboard& clipboard_;
  CsvImportForm form_;
  QListWidget* found_ = nullptr;
  QListWidget* selected_ = nullptr;
  QLabel* found_counter_ = nullptr;
  QLabel* selected_counter_ = nullptr;
  QComboBox* bank_ = nullptr;
  QLineEdit* start_ = nullptr;
  QLineEdit* start_channel_ = nullptr;
  QPlainTextEdit* clipboard_text_ = nullptr;
};

/// `info2`: how to take frequencies from a web page; "Press To Import" opens the import dialog
/// (over this window's parent, as CsvImportDialog::Show with `on_table_changed`) and scans the
/// clipboard at once.
class WebCatcherWindow final : public QDialog {
 public:
  WebCatcherWindow(Workspace& workspace, Ui& ui, Clipboard& clipboard, QWidget* parent = nullptr,
                   std::function<void()> on_table_changed = {});

  /// Menu and toolbar "Web Frequency &Catcher": shows the window without blocking the main window,
  /// or raises the one already open over `parent`.
  static WebCatcherWindow* Show(Workspace& workspace, Ui& ui, Clipboard& clipboard, QWidget* parent,
                                std::function<void()> on_table_changed = {});

 private:
  Workspace& workspace_;
  Ui& ui_;
  Clipboard& clipboard_;
  std::function<void()> on_table_changed_;
};

}  // namespace talvirex
