// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/grid_controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/key_translation.h"
#include "editor/window_status.h"
#include "platform/screen_reader_names.h"

namespace talvirex {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

GridControls::GridControls(CellEditor& editor, QWidget* parent)
    : QWidget(parent),
      editor_(editor),
      editor_box_(new QLineEdit(this)),
      length_(new QLabel(this)),
      easy_tags_(new QComboBox(this)),
      bank_tags_(new QComboBox(this)),
      off_(new QRadioButton(QStringLiteral("Off"), this)),
      on_(new QRadioButton(QStringLiteral("On"), this)),
      off_on_(new QButtonGroup(this)),
      picker_(new QComboBox(this)) {
  editor_box_->setObjectName(QStringLiteral("editorbox"));
  easy_tags_->setObjectName(QStringLiteral("textcombo"));
  bank_tags_->setObjectName(QStringLiteral("bankcombo"));
  off_->setObjectName(QStringLiteral("option3d1_off"));
  on_->setObjectName(QStringLiteral("option3d1_on"));
  picker_->setObjectName(QStringLiteral("ctc"));
  editor_box_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("W")) * 17);
  length_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
  easy_tags_->setMinimumContentsLength(16);
  bank_tags_->setMinimumContentsLength(16);
  easy_tags_->setToolTip(QStringLiteral("Easy Tag: every tag used"));
  bank_tags_->setToolTip(QStringLiteral("Easy Tag: the tags of this bank"));
  for (QComboBox* tags : {easy_tags_, bank_tags_}) NameForScreenReaders(tags, tags->toolTip());
  NameForScreenReaders(picker_, QStringLiteral("PL/DPL"));
  for (const std::string& entry : PickerEntries()) picker_->addItem(FromUtf8(entry));
  picker_->setMaxVisibleItems(20);

  off_on_->addButton(off_, 0);
  off_on_->addButton(on_, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* widget : std::initializer_list<QWidget*>{editor_box_, length_, easy_tags_,
                                                         bank_tags_, off_, on_, picker_}) {
    layout->addWidget(widget);
  }
  layout->addStretch(1);
  setMinimumHeight(picker_->sizeHint().height());

  editor_box_->installEventFilter(this);
  connect(editor_box_, &QLineEdit::textEdited, this, [this](const QString& text) {
    editor_.EditorBoxTextChanged(text.toStdString());
    // A paste passes no key filter: the box shows what the editor kept of it.
    const QString kept = FromUtf8(editor_.controls().editor_box_text);
    if (kept != text) editor_box_->setText(kept);
    length_->setText(QString::number(editor_.controls().editor_box_length));
  });
  connect(off_on_, &QButtonGroup::idClicked, this, [this](int id) {
    editor_.ChooseOffOn(id == 1);
    emit Changed();
  });
  connect(picker_, &QComboBox::activated, this, [this](int index) {
    editor_.ChoosePickerEntry(index);
    emit Changed();
  });
  for (QComboBox* tags : {easy_tags_, bank_tags_}) {
    connect(tags, &QComboBox::activated, this, [this, tags](int index) {
      editor_.ChooseEasyTag(tags->itemText(index).toStdString());
      emit Changed();
      // The chosen tag waits in the box: Enter writes it into the selected cells from there.
      if (editor_box_->isVisible()) editor_box_->setFocus(Qt::OtherFocusReason);
    });
  }
}

// Keys typed into the editor box pass the cell editor's filter first; Enter applies the box.
bool GridControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editor_box_ || event->type() != QEvent::KeyPress) {
    return QWidget::eventFilter(watched, event);
  }
  const auto& key = static_cast<const QKeyEvent&>(*event);
  const std::optional<int> code = CharCodeOf(key);
  if (!code) return false;
  const bool enter = *code == kKeyEnter;
  // A character typed over a selection (Ctrl+A, then typing) replaces it: the box's length limit
  // counts what is left of the text, not the full box the user is typing over.
  const QString before = editor_box_->text();
  const bool replaces = !enter && *code != kKeyBackspace && editor_box_->hasSelectedText();
  if (replaces) {
    QString rest = before;
    rest.remove(editor_box_->selectionStart(), editor_box_->selectedText().size());
    editor_.EditorBoxTextChanged(rest.toStdString());
  }
  const bool taken = editor_.EditorBoxKey(*code);
  if (replaces && !taken) editor_.EditorBoxTextChanged(before.toStdString());
  if (enter) emit Changed();
  return !taken;
}

void GridControls::Fill(QComboBox* combo, const std::vector<std::string>& entries) {
  if (combo->count() == static_cast<int>(entries.size())) {
    bool same = true;
    for (int i = 0; same && i < combo->count(); ++i) {
      same = combo->itemText(i) == FromUtf8(entries[static_cast<std::size_t>(i)]);
    }
    if (same) return;
  }
  combo->clear();
  for (const std::string& entry : entries) combo->addItem(FromUtf8(entry));
}

void GridControls::Show(const ControlsAboveGrid& controls, const TagDropdowns& dropdowns, int bank,
                        const QString& column) {
  // The box edits the current cell of that column; a name set again would be announced again.
  if (editor_box_->accessibleName() != column) editor_box_->setAccessibleName(column);
  editor_box_->setVisible(controls.editor_box);
  length_->setVisible(controls.editor_box);
  if (controls.editor_box) {
    const QString text = FromUtf8(controls.editor_box_text);
    if (editor_box_->text() != text) editor_box_->setText(text);
    editor_box_->setMaxLength(
        controls.editor_box_limit > 0 ? static_cast<int>(controls.editor_box_limit) : 32767);
    length_->setText(QString::number(controls.editor_box_length));
  }
  const bool bank_list = controls.easy_tags && bank >= 0 && bank < 10;
  easy_tags_->setVisible(controls.easy_tags);
  bank_tags_->setVisible(bank_list);
  if (controls.easy_tags) Fill(easy_tags_, dropdowns.easy_tags);
  if (bank_list) Fill(bank_tags_, dropdowns.bank_tags[static_cast<std::size_t>(bank)]);

  off_->setVisible(controls.off_on);
  on_->setVisible(controls.off_on);
  if (controls.off_on) {
    // Neither button chosen needs the group's exclusivity lifted for a moment.
    off_on_->setExclusive(false);
    off_->setChecked(controls.off_on_value == OffOn::kOff);
    on_->setChecked(controls.off_on_value == OffOn::kOn);
    off_on_->setExclusive(true);
  }
  picker_->setVisible(controls.picker);
  if (controls.picker && picker_->currentIndex() != controls.picker_index) {
    picker_->setCurrentIndex(controls.picker_index);
  }
}

}  // namespace talvirex
