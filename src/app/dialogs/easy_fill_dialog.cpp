// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/easy_fill_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "model/default_data_form.h"
#include "platform/screen_reader_names.h"

namespace talvirex {

namespace {

using F = EasyFillForm;

// The Off/On list that goes with field box `box`, or -1.
int SwitchOf(int box) {
  switch (box) {
    case F::kDelay: return F::kDelaySwitch;
    case F::kBeepAlert: return F::kBeepAlertSwitch;
    case F::kLockOut: return F::kLockOutSwitch;
    case F::kAtt: return F::kAttSwitch;
    default: return -1;
  }
}

void SetText(QLineEdit* field, const std::string& text, bool quiet) {
  const QString shown = ToQt(text);
  if (field->text() == shown) return;
  const QSignalBlocker blocker(quiet ? field : nullptr);
  field->setText(shown);
}

int NumberWidth(const QWidget* widget, int digits) {
  return widget->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 16;
}

}  // namespace

EasyFillDialog::EasyFillDialog(EasyFillForm& form, Workspace& workspace, QWidget* parent)
    : QDialog(parent), form_(form), workspace_(workspace) {
  setObjectName(QStringLiteral("easy2"));
  setWindowTitle(ToQt(kEasyFillTitle));

  auto* grid = new QGridLayout;
  BuildInputs(grid);
  auto* body = new QHBoxLayout(this);
  body->addLayout(grid);
  body->addSpacing(12);
  body->addLayout(BuildButtons());
  body->setSizeConstraint(QLayout::SetFixedSize);

  Push(true);
  CentreOnScreen(this, parent);
}

void EasyFillDialog::BuildInputs(QGridLayout* grid) {
  const auto entry = [this](const char* name, int digits, KeyFilter::Accepts accepts) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setFixedWidth(NumberWidth(field, digits));
    InstallKeyFilter(field, std::move(accepts));
    return field;
  };
  const auto label = [this](const char* text, QWidget* buddy) {
    auto* caption = new QLabel(QString::fromLatin1(text), this);
    if (buddy != nullptr) caption->setBuddy(buddy);
    return caption;
  };

  first_ = entry("Text1", 5, &F::AcceptsChannelKey);
  last_ = entry("Text2", 5, &F::AcceptsChannelKey);
  start_ = entry("Text3", 10, &F::AcceptsNumberKey);
  step_ = new QComboBox(this);
  step_->setObjectName(QStringLiteral("Combo1"));
  step_->setEditable(true);
  step_->setInsertPolicy(QComboBox::NoInsert);
  for (const auto item : kEasyFillSteps) step_->addItem(ToQt(item));
  InstallKeyFilter(step_->lineEdit(), &F::AcceptsNumberKey);
  step_->lineEdit()->setAccessibleName(QStringLiteral("Step"));
  tag_ = new QLineEdit(this);
  tag_->setObjectName(QStringLiteral("Text4"));
  NameForScreenReaders(tag_, ToQt(F::BoxCaption(F::kTag)));
  InstallKeyFilter(tag_, &F::AcceptsTagKey);
  tag_counter_ = new QLabel(this);
  tag_counter_->setObjectName(QStringLiteral("TagCounter"));
  tag_counter_->setMinimumWidth(NumberWidth(tag_counter_, 2));
  fill_series_ = new QCheckBox(QStringLiteral("Fill Series"), this);
  fill_series_->setObjectName(QStringLiteral("FillSeries"));
  subtone_ = new QComboBox(this);
  subtone_->setObjectName(QStringLiteral("Combo6"));
  for (const std::string& item : F::SubtoneItems()) subtone_->addItem(ToQt(item));
  subtone_->setMaxVisibleItems(16);
  NameForScreenReaders(subtone_, ToQt(F::BoxCaption(F::kSubtone)));

  for (int box = 0; box < F::kBoxCount; ++box) {
    boxes_[box] = new QCheckBox(ToQt(F::BoxCaption(box)), this);
    boxes_[box]->setObjectName(QStringLiteral("Box_%1").arg(box));
    connect(boxes_[box], &QCheckBox::toggled, this, &EasyFillDialog::Changed);
    const int which = SwitchOf(box);
    if (which < 0) continue;
    switches_[which] = new QComboBox(this);
    switches_[which]->setObjectName(QStringLiteral("Switch_%1").arg(which));
    for (const auto item : kOffOnItems) switches_[which]->addItem(ToQt(item));
    // The check box beside the list says which column it fills.
    NameForScreenReaders(switches_[which], ToQt(F::BoxCaption(box)));
    connect(switches_[which], &QComboBox::currentIndexChanged, this, &EasyFillDialog::Changed);
  }
  connect(first_, &QLineEdit::textChanged, this, &EasyFillDialog::Changed);
  connect(last_, &QLineEdit::textChanged, this, &EasyFillDialog::Changed);
  connect(tag_, &QLineEdit::textChanged, this, [this](const QString& text) {
    form_.tag = FromQt(text);
    tag_counter_->setNum(form_.TagCounter());
  });

  auto* channels = new QHBoxLayout;
  channels->addWidget(label("From channel:", first_));
  channels->addWidget(first_);
  channels->addSpacing(12);
  channels->addWidget(label("To channel:", last_));
  channels->addWidget(last_);
  channels->addStretch();
  grid->addLayout(channels, 0, 0, 1, 3);

  auto* frequency = new QHBoxLayout;
  frequency->addWidget(label("Start:", start_));
  frequency->addWidget(start_);
  frequency->addWidget(label("MHz", nullptr));
  frequency->addSpacing(12);
  frequency->addWidget(label("Step:", step_));
  frequency->addWidget(step_);
  frequency->addWidget(label("kHz", nullptr));
  frequency->addStretch();
  grid->addWidget(boxes_[F::kFrequency], 1, 0);
  grid->addLayout(frequency, 1, 1, 1, 2);

  auto* tag = new QHBoxLayout;
  tag->addWidget(tag_, 1);
  tag->addWidget(tag_counter_);
  tag->addSpacing(12);
  tag->addWidget(fill_series_);
  grid->addWidget(boxes_[F::kTag], 2, 0);
  grid->addLayout(tag, 2, 1, 1, 2);

  int row = 3;
  for (const int box : {F::kDelay, F::kBeepAlert, F::kLockOut, F::kAtt}) {
    grid->addWidget(boxes_[box], row, 0);
    grid->addWidget(switches_[SwitchOf(box)], row, 1);
    ++row;
  }
  grid->addWidget(boxes_[F::kSubtone], row, 0);
  grid->addWidget(subtone_, row, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row + 1, 1);

  // Tab follows the rows as they are drawn: each check box, then what it fills.
  const auto at = [this](int box) { return switches_[SwitchOf(box)]; };
  ChainTabOrder({first_, last_, boxes_[F::kFrequency], start_, step_, boxes_[F::kTag], tag_,
                 fill_series_, boxes_[F::kDelay], at(F::kDelay), boxes_[F::kBeepAlert],
                 at(F::kBeepAlert), boxes_[F::kLockOut], at(F::kLockOut), boxes_[F::kAtt],
                 at(F::kAtt), boxes_[F::kSubtone], subtone_});
}

QLayout* EasyFillDialog::BuildButtons() {
  const auto button = [this](const char* caption, const char* name) {
    auto* b = new QPushButton(QString::fromLatin1(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };
  apply_ = button("Apply", "Apply");
  QPushButton* ok = button("Ok", "Ok");
  QPushButton* cancel = button("Cancel", "Cancel");
  select_all_ = button("Unselect All", "SelectAll");  // sized for the longer caption
  select_all_->setMinimumWidth(select_all_->sizeHint().width());
  QPushButton* defaults = button("Default", "Default");
  QPushButton* all_channels = button("All Channels", "AllChannels");
  QPushButton* help = button("Help", "Help");  // has no action

  connect(apply_, &QPushButton::clicked, this, &EasyFillDialog::ApplyClicked);
  connect(ok, &QPushButton::clicked, this, &EasyFillDialog::OkClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  const auto act = [this](void (F::*action)()) {
    return [this, action] {
      Pull();
      (form_.*action)();
      Push(false);
    };
  };
  connect(select_all_, &QPushButton::clicked, this, act(&F::ToggleSelectAll));
  connect(defaults, &QPushButton::clicked, this, act(&F::Default));
  connect(all_channels, &QPushButton::clicked, this, act(&F::AllChannels));

  auto* column = new QVBoxLayout;
  for (QPushButton* b : {apply_, ok, cancel}) column->addWidget(b);
  column->addSpacing(12);
  for (QPushButton* b : {select_all_, defaults, all_channels}) column->addWidget(b);
  column->addStretch();
  column->addWidget(help);
  return column;
}

void EasyFillDialog::Pull() {
  form_.first_channel = FromQt(first_->text());
  form_.last_channel = FromQt(last_->text());
  form_.start = FromQt(start_->text());
  form_.step = FromQt(step_->currentText());
  form_.tag = FromQt(tag_->text());
  form_.fill_series = fill_series_->isChecked();
  for (int box = 0; box < F::kBoxCount; ++box) form_.boxes[box] = boxes_[box]->isChecked();
  for (int which = 0; which < F::kSwitchCount; ++which) {
    form_.switches[which] = switches_[which]->currentIndex();
  }
  form_.subtone = subtone_->currentIndex();
}

void EasyFillDialog::Push(bool quiet) {
  SetText(first_, form_.first_channel, quiet);
  SetText(last_, form_.last_channel, quiet);
  SetText(start_, form_.start, quiet);
  if (step_->currentText() != ToQt(form_.step)) step_->setEditText(ToQt(form_.step));
  SetText(tag_, form_.tag, quiet);
  fill_series_->setChecked(form_.fill_series);
  for (int box = 0; box < F::kBoxCount; ++box) {
    const QSignalBlocker blocker(quiet ? boxes_[box] : nullptr);
    boxes_[box]->setChecked(form_.boxes[box]);
  }
  for (int which = 0; which < F::kSwitchCount; ++which) {
    const QSignalBlocker blocker(quiet ? switches_[which] : nullptr);
    switches_[which]->setCurrentIndex(form_.switches[which]);
  }
  subtone_->setCurrentIndex(form_.subtone);
  tag_counter_->setNum(form_.TagCounter());
  select_all_->setText(ToQt(form_.SelectAllButtonCaption()));
  ShowApplyState();
}

void EasyFillDialog::ShowApplyState() { apply_->setEnabled(form_.apply_enabled); }

void EasyFillDialog::Changed() {
  form_.EnableApply();
  ShowApplyState();
}

void EasyFillDialog::ApplyClicked() {
  Pull();
  form_.Apply(workspace_);
  Push(true);
}

void EasyFillDialog::OkClicked() {
  Pull();
  accept();
}

}  // namespace talvirex
