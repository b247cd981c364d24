// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/command_actions.h"
#include "app/dialog_launcher.h"
#include "app/grid_controls.h"
#include "app/key_translation.h"
#include "files/channel_file.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_ui.h"

namespace talvirex {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kSplashMilliseconds = 100;
constexpr int kLastFileDelayMilliseconds = 200;
constexpr int kDeferredRetryMilliseconds = 100;
constexpr int kCellPadding = 8;   // pixels beside a sample text inside a cell
constexpr int kRowPadding = 6;    // pixels above and below a row's text
constexpr int kTabsMargin = 160;  // room for bank names longer than the defaults

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// A caption drawn as given: "&" in a bank name is a character, not an access key.
QString Literal(const std::string& text) {
  return FromUtf8(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QLabel* Panel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  return label;
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options)
    : options_(std::move(options)),
      own_ui_(options_.ui ? nullptr : std::make_unique<QtUi>(this)),
      own_clipboard_(options_.clipboard ? nullptr : std::make_unique<QtClipboard>()),
      ui_(options_.ui ? *options_.ui : *own_ui_),
      clipboard_(options_.clipboard ? *options_.clipboard : *own_clipboard_),
      clock_(options_.clock ? *options_.clock : own_clock_),
      logic_(workspace_, ui_, clipboard_, clock_, options_.folders, options_.hooks),
      model_(workspace_.grid) {
  setObjectName(QStringLiteral("memtab"));
  setWindowTitle(FromUtf8(logic_.title()));
  setAcceptDrops(true);  // a channel file dropped on the window is opened, a channel list imported
  commands_ = new CommandActions(
      *this, [this](CommandId command) { RunCommand(command); },
      [this](CommandId command, std::size_t index) {
        Carry(command, [&] { return logic_.RunListed(command, index); });
      });
  setCentralWidget(BuildCentral());
  BuildStatusBar();
  ui_.on_progress = [this](int value, int maximum) { ShowProgress(value, maximum); };
  ui_.on_status = [this](const std::string& text) { status_text_->setText(FromUtf8(text)); };
  backup_timer_ = new QTimer(this);
  backup_timer_->setInterval(options_.backup_tick);
  connect(backup_timer_, &QTimer::timeout, this,
          [this] { BetweenUserActions([this] { logic_.BackupTick(); }); });
  deferred_timer_ = new QTimer(this);
  deferred_timer_->setSingleShot(true);
  deferred_timer_->setInterval(kDeferredRetryMilliseconds);
  connect(deferred_timer_, &QTimer::timeout, this, &MainWindow::RunDeferredWork);
  // The next and previous bank from anywhere in the window, as the bank tabs switch them.
  const auto bank_key = [this](QKeySequence keys, int step) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, step] {
      tabs_->setCurrentIndex((tabs_->currentIndex() + step + tabs_->count()) % tabs_->count());
    });
  };
  bank_key(QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1);
  bank_key(QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::BuildCentral() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(3);

  tabs_ = new QTabBar(central);
  tabs_->setObjectName(QStringLiteral("tabbed1"));
  tabs_->setExpanding(false);
  tabs_->setDrawBase(true);
  for (int tab = 0; tab <= kDummyBank; ++tab) tabs_->addTab(Literal(logic_.tab_caption(tab)));
  connect(tabs_, &QTabBar::currentChanged, this, &MainWindow::OnTab);
  layout->addWidget(tabs_);

  auto* labels = new QHBoxLayout;
  bank_title_ = new QLabel(central);
  bank_title_->setObjectName(QStringLiteral("label9"));
  QFont title_font = bank_title_->font();
  title_font.setBold(true);
  title_font.setPointSizeF(title_font.pointSizeF() * 1.3);
  bank_title_->setFont(title_font);
  dummy_notice_ = new QLabel(central);
  dummy_notice_->setObjectName(QStringLiteral("label4"));
  dummy_notice_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
  labels->addWidget(bank_title_);
  labels->addSpacing(16);
  labels->addWidget(dummy_notice_, 1);
  layout->addLayout(labels);

  controls_ = new GridControls(logic_.editor(), central);
  connect(controls_, &GridControls::Changed, this, &MainWindow::RefreshFromCore);
  layout->addWidget(controls_);

  view_ = new QTableView(central);
  view_->setObjectName(QStringLiteral("memtabel"));
  view_->setModel(&model_);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view_->setSelectionBehavior(QAbstractItemView::SelectItems);
  view_->setTabKeyNavigation(false);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setMinimumSectionSize(0);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + kRowPadding);
  view_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  view_->horizontalHeader()->setHighlightSections(false);
  view_->verticalHeader()->setFixedWidth(
      view_->fontMetrics().horizontalAdvance(
          QString::fromLatin1(kChannelColumnSample.data(), kChannelColumnSample.size())) +
      kCellPadding);
  // The fixed corner cell carries the channel column's header.
  if (auto* corner = view_->findChild<QAbstractButton*>()) {
    auto* corner_layout = new QHBoxLayout(corner);
    corner_layout->setContentsMargins(0, 0, 0, 0);
    channel_header_ = new QLabel(corner);
    channel_header_->setObjectName(QStringLiteral("channelheader"));
    channel_header_->setAlignment(Qt::AlignCenter);
    corner_layout->addWidget(channel_header_);
  }
  view_->installEventFilter(this);
  view_->viewport()->installEventFilter(this);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &MainWindow::OnViewSelection);
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &MainWindow::OnViewSelection);
  connect(view_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int section, int, int pixels) {
            if (!syncing_) logic_.SetColumnWidth(section + 1, TwipsOf(pixels));
          });
  layout->addWidget(view_, 1);

  help_ = new QLabel(central);
  help_->setObjectName(QStringLiteral("helplabel"));
  help_->setWordWrap(true);
  layout->addWidget(help_);
  return central;
}

void MainWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  file_name_ = Panel(bar, "fnaam");
  bank_usage_ = Panel(bar, "bankusage");
  bank_usage_->setToolTip(QStringLiteral("Banks in use"));
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  bank_usage_->setFont(fixed);
  status_stack_ = new QStackedWidget(bar);
  status_text_ = Panel(status_stack_, "statustext");
  progress_ = new QProgressBar(status_stack_);
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setTextVisible(false);
  status_stack_->addWidget(status_text_);
  status_stack_->addWidget(progress_);
  current_channel_ = Panel(bar, "currentchannel");
  last_channel_ = Panel(bar, "lastchannel");
  current_channel_->setToolTip(QStringLiteral("Current channel"));
  last_channel_->setToolTip(QStringLiteral("Last selected channel"));
  const int channel_width = fontMetrics().horizontalAdvance(QStringLiteral(" 0000 "));
  current_channel_->setMinimumWidth(channel_width);
  last_channel_->setMinimumWidth(channel_width);
  bar->addWidget(file_name_, 2);
  bar->addWidget(bank_usage_);
  bar->addWidget(status_stack_, 1);
  bar->addPermanentWidget(current_channel_);
  bar->addPermanentWidget(last_channel_);
}

// The progress bar lies over the status-text panel while a long operation runs.
void MainWindow::ShowProgress(int value, int maximum) {
  if (maximum <= 0) {
    status_stack_->setCurrentWidget(status_text_);
    return;
  }
  progress_->setRange(0, maximum);
  progress_->setValue(std::clamp(value, 0, maximum));
  status_stack_->setCurrentWidget(progress_);
  progress_->repaint();
}

void MainWindow::Start() {
  if (options_.splash) ShowSplash();
  logic_.Startup(MeasuredColumnWidths());
  model_.SetAlignment(logic_.alignment());
  ApplyColumnWidths();
  RefreshFromCore();
  Place();
  view_->setFocus();
  StartTimers();
}

void MainWindow::ShowSplash() {
  auto* splash = new QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
  splash->setObjectName(QStringLiteral("info"));
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->setAlignment(Qt::AlignCenter);
  splash->setMargin(24);
  splash->setFrameShape(QFrame::Box);
  splash->setText(
      QStringLiteral("<h2>TALVIREX</h2><p>%1</p><p>Loading settings...</p>")
          .arg(QString::fromLatin1(kApplicationTitle.data(), kApplicationTitle.size())));
  splash->show();
  QTimer::singleShot(kSplashMilliseconds, splash, &QWidget::close);
}

void MainWindow::Place() {
  const WindowPlacement& placement = logic_.placement();
  if (!workspace_.settings.save_window_placement) {
    resize(DefaultSize());
    show();
    return;
  }
  // The normal geometry comes first even for a maximised start: exit writes it back.
  move(PixelsOf(placement.left), PixelsOf(placement.top));
  resize(PixelsOf(placement.width), PixelsOf(placement.height));
  if (placement.state == WindowState::kMaximised) {
    showMaximized();
  } else {
    show();
  }
}

// Wide enough for the grid, the first toolbar and every tab; tall enough for twenty rows.
QSize MainWindow::DefaultSize() const {
  int grid_width =
      view_->verticalHeader()->width() + view_->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < 7; ++column) grid_width += view_->columnWidth(column);
  const int grid_height = view_->horizontalHeader()->sizeHint().height() +
                          view_->verticalHeader()->length() + 2 * view_->frameWidth();
  const int width = std::max({grid_width + 40, commands_->toolbar(1)->sizeHint().width() + 16,
                              tabs_->sizeHint().width() + kTabsMargin});
  QSize size(width, sizeHint().height() - view_->sizeHint().height() + grid_height + 4);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableSize());
  }
  return size;
}

void MainWindow::StartTimers() {
  if (logic_.WantsLastFileReload()) {
    QTimer::singleShot(kLastFileDelayMilliseconds, this, [this] {
      BetweenUserActions([this] {
        if (file_given_) return;
        logic_.ReloadLastFile();
        RefreshFromCore();
      });
    });
  }
  backup_timer_->start();
}

void MainWindow::RunCommand(CommandId command) {
  Carry(command, [&] { return logic_.Run(command); });
}

void MainWindow::OpenDroppedFile(const QString& path) {
  if (IsChannelFilePath(path.toStdString())) {
    OpenChannelFile(path);
    return;
  }
  Carry(CommandId::kImportChannelList, [&] {
    return logic_.OpenChannelList(path.toStdString()) ? CommandOutcome::kForWindow
                                                      : CommandOutcome::kDone;
  });
}

void MainWindow::BringToFront() {
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  raise();
  activateWindow();
}

void MainWindow::OpenFileFromDesktop(const QString& path) {
  file_given_ = true;
  BringToFront();
  BetweenUserActions([this, path] { OpenChannelFile(path); });
}

void MainWindow::OpenChannelFile(const QString& path) {
  Carry(CommandId::kOpen, [&] {
    logic_.OpenChannelFile(path.toStdString());
    return CommandOutcome::kDone;
  });
}

namespace {

// The one local file a drag carries, or nothing.
QString DraggedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // The drop's own event ends before the dialog opens.
  QTimer::singleShot(0, this, [this, path] { OpenDroppedFile(path); });
}

void MainWindow::Carry(CommandId command, const std::function<CommandOutcome()>& run) {
  ++commands_running_;
  const CommandOutcome outcome = run();
  if (outcome == CommandOutcome::kForWindow && options_.dialogs != nullptr) {
    WindowCommandContext context{
        this, workspace_, logic_, ui_, clipboard_, clock_, options_.folders.program};
    options_.dialogs->Launch(command, context);
  }
  --commands_running_;
  if (outcome == CommandOutcome::kCloseWindow) {
    close();
    return;
  }
  RefreshFromCore();
  RunDeferredWork();
}

// Timers run their work between user actions: a tick that falls inside a command, or while a
// dialog, a message box or the transfer window runs its own event loop, waits until it has closed.
// Otherwise a backup's commit would copy the grid as it stood before the dialog over the table
// the dialog has just changed.
void MainWindow::BetweenUserActions(std::function<void()> work) {
  deferred_work_.push_back(std::move(work));
  RunDeferredWork();
}

void MainWindow::RunDeferredWork() {
  if (deferred_work_.empty() || exited_) return;
  if (commands_running_ > 0 || QApplication::activeModalWidget() != nullptr) {
    deferred_timer_->start();
    return;
  }
  for (const std::function<void()>& work : std::exchange(deferred_work_, {})) work();
}

void MainWindow::RefreshFromCore() {
  syncing_ = true;
  setWindowTitle(FromUtf8(logic_.title()));
  for (int tab = 0; tab <= kDummyBank; ++tab) {
    const QString caption = Literal(logic_.tab_caption(tab));
    if (tabs_->tabText(tab) != caption) tabs_->setTabText(tab, caption);
  }
  tabs_->setCurrentIndex(workspace_.current_bank);
  bank_title_->setText(FromUtf8(logic_.bank_title()));
  dummy_notice_->setText(FromUtf8(logic_.dummy_notice()));
  if (channel_header_ != nullptr) channel_header_->setText(FromUtf8(workspace_.grid.Cell(0, 0)));
  // Set only when it differs: every change of a name is announced.
  const QString grid_name =
      FromUtf8(logic_.bank_title() + ": " + logic_.view_caption(workspace_.current_bank));
  if (view_->accessibleName() != grid_name) view_->setAccessibleName(grid_name);
  model_.SetAlignment(logic_.alignment());  // Software Options may have changed it; also refreshes
  AnnounceChangedCells();
  PushSelection();
  syncing_ = false;

  CellEditor& editor = logic_.editor();
  controls_->Show(editor.controls(), workspace_.tag_dropdowns, workspace_.current_bank,
                  FromUtf8(workspace_.grid.Cell(0, workspace_.grid.current.column)));
  help_->setText(FromUtf8(editor.help_text()));
  const StatusPanels& status = workspace_.status;
  file_name_->setText(FromUtf8(workspace_.file_name));
  bank_usage_->setText(FromUtf8(status.bank_usage));
  current_channel_->setText(FromUtf8(status.current_channel));
  last_channel_->setText(FromUtf8(status.last_selected_channel));
  commands_->Refresh(logic_);
}

// A screen reader hears of a value stored in a cell of the bank it is reading; a bank switch
// renames the grid instead.
void MainWindow::AnnounceChangedCells() {
  const std::vector<QModelIndex> changed = model_.TakeChangedCells();
  const bool same_bank = std::exchange(announced_bank_, workspace_.current_bank) == announced_bank_;
  if (!same_bank || changed.empty() || !QAccessible::isActive()) return;
  QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(view_)->tableInterface();
  for (const QModelIndex& index : changed) {
    QAccessibleInterface* cell = table->cellAt(index.row(), index.column());
    if (cell == nullptr) continue;
    QAccessibleEvent renamed(cell, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleValueChangeEvent value(cell, index.data());
    QAccessible::updateAccessibility(&value);
  }
}

// The core's current cell is where the selection began (the anchor) and its selection corner
// the end that moves. Qt moves its current index to the moving end, so the view's current index
// is the corner; the anchor is also made Qt's start of a Shift-selection.
void MainWindow::PushSelection() {
  const Grid& grid = workspace_.grid;
  QItemSelectionModel* selection = view_->selectionModel();
  const QModelIndex anchor = model_.index(grid.current.row - 1, grid.current.column - 1);
  const QModelIndex corner =
      model_.index(grid.selection_end.row - 1, grid.selection_end.column - 1);
  view_->setCurrentIndex(anchor);
  selection->select(QItemSelection(anchor, corner), QItemSelectionModel::ClearAndSelect);
  selection->setCurrentIndex(corner, QItemSelectionModel::NoUpdate);
}

// A mouse drag, Shift+arrows and Shift+click move the view's current index to the moving end of
// the selection; the anchor stays where the press or the first Shift-move started. The core's
// current cell keeps the anchor while it is a corner of the selected rectangle; a selection that
// no longer has it as a corner (a new press, a Shift+click elsewhere) starts from the corner
// facing the moving end.
void MainWindow::OnViewSelection() {
  if (syncing_) return;
  const QModelIndex moving = view_->selectionModel()->currentIndex();
  if (!moving.isValid()) return;
  int top = moving.row(), bottom = moving.row(), left = moving.column(), right = moving.column();
  for (const QItemSelectionRange& range : view_->selectionModel()->selection()) {
    top = std::min(top, range.top());
    bottom = std::max(bottom, range.bottom());
    left = std::min(left, range.left());
    right = std::max(right, range.right());
  }
  const CellPos end{moving.row() + 1, moving.column() + 1};
  const CellPos facing{(moving.row() == top ? bottom : top) + 1,
                       (moving.column() == left ? right : left) + 1};
  const CellPos anchor = workspace_.grid.current;
  const bool anchor_is_corner = (anchor.row == top + 1 || anchor.row == bottom + 1) &&
                                (anchor.column == left + 1 || anchor.column == right + 1) &&
                                !(anchor == end && facing != end);
  logic_.SetSelection(anchor_is_corner ? anchor : facing, end);
  RefreshFromCore();
}

void MainWindow::OnTab(int index) {
  if (syncing_ || index < 0) return;
  view_->setUpdatesEnabled(false);
  logic_.ShowBank(index);
  RefreshFromCore();
  view_->setUpdatesEnabled(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    return GridKey(static_cast<const QKeyEvent&>(*event));
  }
  if (watched == view_->viewport()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (forwarding_press_) break;
        [[fallthrough]];
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        return GridMouse(watched, static_cast<QMouseEvent&>(*event), event->type());
      default: break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// Every key goes to the cell editor; the cursor keys then also move the view's cursor. Tab and
// Shift+Tab move between the cells, so Ctrl+Tab and Ctrl+Shift+Tab lead out of the grid.
bool MainWindow::GridKey(const QKeyEvent& key) {
  const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
  if (tab && (key.modifiers() & Qt::ControlModifier)) {
    return focusNextPrevChild(key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier));
  }
  CellEditor& editor = logic_.editor();
  editor.PressKey(KeyCodeOf(key), ModifiersOf(key));
  if (const std::optional<int> code = CharCodeOf(key)) editor.TypeChar(*code);
  RefreshFromCore();
  return !IsNavigationKey(key);
}

bool MainWindow::GridMouse(QObject* viewport, QMouseEvent& mouse, QEvent::Type type) {
  CellEditor& editor = logic_.editor();
  if (mouse.button() == Qt::RightButton) {
    if (type == QEvent::MouseButtonPress)
      commands_->popup()->popup(mouse.globalPosition().toPoint());
    return true;
  }
  if (mouse.button() != Qt::LeftButton) return false;
  if (type == QEvent::MouseButtonPress) {
    // The view selects the pressed cell first, so the help bar names the channel pressed.
    forwarding_press_ = true;
    QCoreApplication::sendEvent(viewport, &mouse);
    forwarding_press_ = false;
    editor.LeftButtonDown();
    RefreshFromCore();
    return true;
  }
  if (type == QEvent::MouseButtonRelease) {
    editor.LeftButtonUp();
    RefreshFromCore();
    return false;
  }
  editor.DoubleClick();
  RefreshFromCore();
  return true;
}

std::array<int, 7> MainWindow::MeasuredColumnWidths() const {
  std::array<int, 7> widths{};
  const QFontMetrics metrics = view_->fontMetrics();
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const std::string_view sample = ColumnWidthSamples()[i];
    const int pixels = metrics.horizontalAdvance(
        QString::fromLatin1(sample.data(), static_cast<qsizetype>(sample.size())));
    widths[i] = TwipsOf(pixels + kCellPadding);
  }
  return widths;
}

void MainWindow::ApplyColumnWidths() {
  syncing_ = true;
  for (int column = 0; column < 7; ++column) {
    view_->setColumnWidth(column,
                          PixelsOf(logic_.column_widths()[static_cast<std::size_t>(column)]));
  }
  syncing_ = false;
}

int MainWindow::PixelsOf(int twips) const {
  return static_cast<int>(std::lround(static_cast<double>(twips) * logicalDpiX() / kTwipsPerInch));
}

int MainWindow::TwipsOf(int pixels) const {
  return static_cast<int>(std::lround(static_cast<double>(pixels) * kTwipsPerInch / logicalDpiX()));
}

void MainWindow::RememberPlacement() {
  WindowPlacement placement;
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
  placement.left = TwipsOf(normal.x());
  placement.top = TwipsOf(normal.y());
  placement.width = TwipsOf(normal.width());
  placement.height = TwipsOf(normal.height());
  placement.state = isMaximized()   ? WindowState::kMaximised
                    : isMinimized() ? WindowState::kMinimised
                                    : WindowState::kNormal;
  logic_.SetPlacement(placement);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (exited_) {
    event->accept();
    return;
  }
  RememberPlacement();
  if (!logic_.RequestExit()) {
    event->ignore();
    RefreshFromCore();
    return;
  }
  exited_ = true;
  backup_timer_->stop();
  deferred_timer_->stop();
  event->accept();
}

}  // namespace talvirex
