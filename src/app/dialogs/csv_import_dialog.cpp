// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/csv_import_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <type_traits>

#include "app/dialogs/dialog_support.h"
#include "editor/grid_bridge.h"
#include "model/channel_table.h"
#include "workspace.h"

namespace talvirex {

namespace {

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

void ShowEntries(QListWidget* list, const std::vector<std::string>& entries) {
  list->clear();
  for (const std::string& entry : entries) list->addItem(ToQt(entry));
}

// The window of this kind already open over `parent` (one that was closed is on its way out).
template <typename T>
T* Existing(QWidget* parent) {
  if (parent == nullptr) return nullptr;
  for (T* window : parent->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (window->isVisible()) return window;
  }
  return nullptr;
}

}  // namespace

CsvImportDialog::CsvImportDialog(Workspace& workspace, Ui& ui, Clipboard& clipboard,
                                 QWidget* parent)
    : QDialog(parent), workspace_(workspace), ui_(ui), clipboard_(clipboard) {
  setObjectName(QStringLiteral("csvfile"));
  setWindowTitle(QStringLiteral("Advanced Data Import"));
  form_.Open(workspace_.current_bank);

  QPushButton* from_file = Button("Import From File", "ImportFile", this);
  QPushButton* from_clipboard = Button("&Import From Clipboard", "ImportClipboard", this);
  QPushButton* close = Button("Close", "Close", this);
  connect(from_file, &QPushButton::clicked, this, [this] { Act(&CsvImportForm::ImportFromFile); });
  connect(from_clipboard, &QPushButton::clicked, this, &CsvImportDialog::ImportFromClipboard);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* sources = new QHBoxLayout;
  sources->addWidget(from_file);
  sources->addWidget(from_clipboard);
  sources->addStretch();

  clipboard_text_ = new QPlainTextEdit(this);
  clipboard_text_->setObjectName(QStringLiteral("Text2"));
  clipboard_text_->setReadOnly(true);
  clipboard_text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  clipboard_text_->setFixedHeight(clipboard_text_->fontMetrics().lineSpacing() * 4);
  clipboard_text_->setAccessibleName(QStringLiteral("Text imported"));

  auto* bottom = new QHBoxLayout;
  bottom->addLayout(BuildTarget());
  bottom->addStretch();
  bottom->addWidget(close, 0, Qt::AlignBottom);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sources);
  layout->addLayout(BuildLists(), 1);
  layout->addLayout(bottom);
  layout->addWidget(clipboard_text_);
  // Tab runs as the window reads: the lists, the export row, then Close and the text below.
  ChainTabOrder(
      {start_, findChild<QPushButton*>(QStringLiteral("ExportClipboard")), close, clipboard_text_});
  ShowLists();
  ShowStartChannel();
}

QLayout* CsvImportDialog::BuildLists() {
  const auto column = [this](const char* caption, QListWidget*& list, QLabel*& counter,
                             const char* name, void (CsvImportForm::*clear)()) {
    auto* title = new QLabel(QString::fromLatin1(caption), this);
    list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setMinimumSize(180, 220);
    counter = new QLabel(this);
    counter->setObjectName(QString::fromLatin1(name) + QStringLiteral("Counter"));
    auto* heading = new QHBoxLayout;
    list->setAccessibleName(title->text().chopped(1));  // a list view takes no buddy's name
    heading->addWidget(title);
    heading->addStretch();
    heading->addWidget(counter);
    QPushButton* clear_button = Button("Clear ^", (std::string(name) + "Clear").c_str(), this);
    clear_button->setAccessibleName(QStringLiteral("Clear ") + title->text().chopped(1));
    connect(clear_button, &QPushButton::clicked, this, [this, clear] { Act(clear); });
    auto* box = new QVBoxLayout;
    box->addLayout(heading);
    box->addWidget(list, 1);
    box->addWidget(clear_button, 0, Qt::AlignLeft);
    return box;
  };
  QVBoxLayout* left =
      column("Frequency data found:", found_, found_counter_, "Found", &CsvImportForm::ClearFound);
  QVBoxLayout* right = column("Data selected for import:", selected_, selected_counter_, "Selected",
                              &CsvImportForm::ClearSelected);

  const auto to_selected = [this] {
    const auto row = SelectedRow(found_);
    Act([row](CsvImportForm& form, Ui& ui) { form.MoveToSelected(row, ui); });
  };
  const auto to_found = [this] {
    const auto row = SelectedRow(selected_);
    Act([row](CsvImportForm& form, Ui& ui) { form.MoveToFound(row, ui); });
  };
  QPushButton* move_right = Button(">>>", "MoveRight", this);
  QPushButton* move_left = Button("<<<", "MoveLeft", this);
  QPushButton* all_right = Button("All >>", "AllRight", this);
  QPushButton* all_left = Button("<< All", "AllLeft", this);
  QPushButton* twenty = Button("20 >>", "TwentyRight", this);
  move_right->setAccessibleName(QStringLiteral("Add selected"));
  move_left->setAccessibleName(QStringLiteral("Remove selected"));
  all_right->setAccessibleName(QStringLiteral("Add all"));
  all_left->setAccessibleName(QStringLiteral("Remove all"));
  twenty->setAccessibleName(QStringLiteral("Add 20"));
  connect(move_right, &QPushButton::clicked, this, to_selected);
  connect(found_, &QListWidget::itemDoubleClicked, this, to_selected);
  connect(move_left, &QPushButton::clicked, this, to_found);
  connect(selected_, &QListWidget::itemDoubleClicked, this, to_found);
  connect(all_right, &QPushButton::clicked, this,
          [this] { Act(&CsvImportForm::MoveAllToSelected); });
  connect(all_left, &QPushButton::clicked, this, [this] { Act(&CsvImportForm::MoveAllToFound); });
  connect(twenty, &QPushButton::clicked, this,
          [this] { Act(&CsvImportForm::MoveTwentyToSelected); });
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  for (QPushButton* b : {move_right, move_left, all_right, all_left, twenty}) moves->addWidget(b);
  moves->addStretch();

  auto* lists = new QHBoxLayout;
  lists->addLayout(left, 1);
  lists->addLayout(moves);
  lists->addLayout(right, 1);
  return lists;
}

QLayout* CsvImportDialog::BuildTarget() {
  QPushButton* to_table = Button("Export To Table:", "ExportTable", this);
  QPushButton* to_clipboard = Button("&Export To Clipboard", "ExportClipboard", this);
  connect(to_table, &QPushButton::clicked, this, &CsvImportDialog::ExportToTable);
  connect(to_clipboard, &QPushButton::clicked, this,
          [this] { form_.ExportToClipboard(clipboard_, ui_); });

  bank_ = new QComboBox(this);
  bank_->setObjectName(QStringLiteral("Combo1"));
  for (int slot = 0; slot < kScannerBanks; ++slot) bank_->addItem(QString::number(slot + 1));
  bank_->addItem(QStringLiteral("D"));
  bank_->setCurrentIndex(form_.bank());
  connect(bank_, &QComboBox::currentIndexChanged, this, [this](int index) {
    form_.SelectBank(index);
    ShowStartChannel();
  });

  start_ = new QLineEdit(ToQt(form_.start_text()), this);
  start_->setObjectName(QStringLiteral("Text1"));
  start_->setFixedWidth(start_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
  InstallKeyFilter(start_, [](char32_t code) {
    return CsvImportForm::StartFieldAcceptsKey(static_cast<int>(code));
  });
  connect(start_, &QLineEdit::textChanged, this, [this](const QString& text) {
    form_.SetStartText(FromQt(text));
    ShowStartChannel();
  });
  OnFocusOut(start_, [this] {
    form_.LeaveStartField();
    start_->setText(ToQt(form_.start_text()));
  });
  start_channel_ = new QLineEdit(this);
  start_channel_->setObjectName(QStringLiteral("Text3"));
  start_channel_->setReadOnly(true);
  start_channel_->setFocusPolicy(Qt::NoFocus);
  start_channel_->setFixedWidth(start_->width());

  ChainTabOrder({to_table, bank_, start_});
  auto* grid = new QGridLayout;
  grid->addWidget(to_table, 0, 0);
  auto* bank_label = new QLabel(QStringLiteral("Bank:"), this);
  bank_label->setBuddy(bank_);
  grid->addWidget(bank_label, 0, 1);
  grid->addWidget(bank_, 0, 2);
  auto* start_label = new QLabel(QStringLiteral("Starting at channel:"), this);
  start_label->setBuddy(start_);
  grid->addWidget(start_label, 0, 3);
  grid->addWidget(start_, 0, 4);
  grid->addWidget(start_channel_, 0, 5);
  grid->addWidget(to_clipboard, 1, 0);
  return grid;
}

void CsvImportDialog::ShowLists() {
  ShowEntries(found_, form_.found());
  ShowEntries(selected_, form_.selected());
  found_counter_->setNum(static_cast<int>(form_.found_count()));
  selected_counter_->setNum(static_cast<int>(form_.selected_count()));
  const QString text = ToQt(form_.clipboard_text());
  if (clipboard_text_->toPlainText() != text) clipboard_text_->setPlainText(text);
}

void CsvImportDialog::ShowStartChannel() {
  start_channel_->setText(ToQt(form_.StartChannelText()));
}

std::optional<std::size_t> CsvImportDialog::SelectedRow(const QListWidget* list) const {
  const QList<QListWidgetItem*> items = list->selectedItems();
  if (items.isEmpty()) return std::nullopt;
  return static_cast<std::size_t>(list->row(items.front()));
}

template <typename Action>
void CsvImportDialog::Act(Action action) {
  if constexpr (std::is_invocable_v<Action, CsvImportForm&, Ui&>) {
    std::invoke(action, form_, ui_);
  } else {
    std::invoke(action, form_);
  }
  ShowLists();
}

void CsvImportDialog::ImportFromClipboard() {
  form_.ImportFromClipboard(clipboard_, ui_);
  ShowLists();
}

void CsvImportDialog::ExportToTable() {
  if (ExportHarvestToTable(workspace_, form_, ui_)) emit TableChanged();
}

CsvImportDialog* CsvImportDialog::Show(Workspace& workspace, Ui& ui, Clipboard& clipboard,
                                       QWidget* parent, std::function<void()> on_table_changed) {
  CsvImportDialog* dialog = Existing<CsvImportDialog>(parent);
  if (dialog == nullptr) {
    dialog = new CsvImportDialog(workspace, ui, clipboard, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (on_table_changed) connect(dialog, &CsvImportDialog::TableChanged, dialog, on_table_changed);
  }
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return dialog;
}

WebCatcherWindow::WebCatcherWindow(Workspace& workspace, Ui& ui, Clipboard& clipboard,
                                   QWidget* parent, std::function<void()> on_table_changed)
    : QDialog(parent),
      workspace_(workspace),
      ui_(ui),
      clipboard_(clipboard),
      on_table_changed_(std::move(on_table_changed)) {
  using T = WebCatcherTexts;
  setObjectName(QStringLiteral("info2"));
  setWindowTitle(QStringLiteral("Web Frequency Catcher"));

  QGroupBox* frame = Frame(T::kHeading, this);
  frame->setObjectName(QStringLiteral("Frame1"));
  auto* texts = new QVBoxLayout(frame);
  texts->addWidget(new QLabel(ToQt(T::kIntro), frame));
  texts->addSpacing(6);
  for (const auto step : {T::kStep1, T::kStep2, T::kStep3}) {
    texts->addWidget(new QLabel(ToQt(step), frame));
  }

  QPushButton* import = Button(std::string(T::kImportButton).c_str(), "Import", this);
  import->setDefault(true);
  QPushButton* close = Button(std::string(T::kCloseButton).c_str(), "Close", this);
  connect(import, &QPushButton::clicked, this, [this] {
    CsvImportDialog::Show(workspace_, ui_, clipboard_, parentWidget(), on_table_changed_)
        ->ImportFromClipboard();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(import);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

WebCatcherWindow* WebCatcherWindow::Show(Workspace& workspace, Ui& ui, Clipboard& clipboard,
                                         QWidget* parent, std::function<void()> on_table_changed) {
  WebCatcherWindow* window = Existing<WebCatcherWindow>(parent);
  if (window == nullptr) {
    window = new WebCatcherWindow(workspace, ui, clipboard, parent, std::move(on_table_changed));
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace talvirex
