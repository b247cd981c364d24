// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/find_replace_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>

#include "app/dialogs/dialog_support.h"
#include "editor/find_replace_form.h"

namespace talvirex {

namespace {

// A frame of two option buttons, the first chosen unless `second_chosen`; `on_second` hears
// every change of the choice (true when the second is chosen).
QGroupBox* Choice(QWidget* parent, std::string_view caption, const char* names[2],
                  const char* texts[2], bool second_chosen, std::function<void(bool)> on_second,
                  QRadioButton** second_out = nullptr) {
  QGroupBox* frame = Frame(caption, parent);
  auto* layout = new QVBoxLayout(frame);
  auto* first = new QRadioButton(QString::fromLatin1(texts[0]), frame);
  auto* second = new QRadioButton(QString::fromLatin1(texts[1]), frame);
  first->setObjectName(QString::fromLatin1(names[0]));
  second->setObjectName(QString::fromLatin1(names[1]));
  (second_chosen ? second : first)->setChecked(true);
  layout->addWidget(first);
  layout->addWidget(second);
  QObject::connect(second, &QRadioButton::toggled, frame, std::move(on_second));
  if (second_out != nullptr) *second_out = second;
  return frame;
}

}  // namespace

FindDialog::FindDialog(FindForm& form, QWidget* parent, std::function<void()> found)
    : QDialog(parent), form_(form), found_(std::move(found)) {
  setObjectName(QStringLiteral("find"));
  setWindowTitle(ToQt(kFindTitle));

  text_ = new QLineEdit(ToQt(form_.text), this);
  text_->setObjectName(QStringLiteral("Text1"));
  auto* caption = new QLabel(QStringLiteral("Find What"), this);
  caption->setBuddy(text_);

  const char* field_names[2] = {"Option1_0", "Option1_1"};
  const char* field_texts[2] = {"Frequency", "Comments"};
  QGroupBox* field = Choice(this, "", field_names, field_texts,
                            form_.field() == FindForm::kComments, [this](bool comments) {
                              form_.SetField(comments ? FindForm::kComments : FindForm::kFrequency);
                            });
  const char* scope_names[2] = {"Option2_0", "Option2_1"};
  const char* scope_texts[2] = {"Current Bank", "All Banks"};
  QGroupBox* scope =
      Choice(this, "", scope_names, scope_texts, form_.scope() == SearchScope::kAllBanks,
             [this](bool all) {
               form_.SetScope(all ? SearchScope::kAllBanks : SearchScope::kCurrentBank);
             });

  auto* find = new QPushButton(QStringLiteral("Find >>"), this);
  find->setObjectName(QStringLiteral("Command1"));
  find->setDefault(true);
  connect(find, &QPushButton::clicked, this, &FindDialog::Find);

  const auto result = [this](const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    return label;
  };
  channel_ = result("Label2");
  in_bank_ = result("Label3");
  bank_ = result("Label4");
  contains_ = result("Label5");
  auto* results = new QHBoxLayout;
  for (QLabel* label : {channel_, in_bank_, bank_, contains_}) results->addWidget(label);
  results->addStretch();
  channel_->setMinimumHeight(fontMetrics().height());
  wrapped_ = result("Label6");
  wrapped_->setMinimumHeight(fontMetrics().height());

  auto* entry = new QHBoxLayout;
  entry->addWidget(caption);
  entry->addWidget(text_, 1);
  entry->addWidget(find);
  auto* options = new QHBoxLayout;
  options->addWidget(field);
  options->addWidget(scope);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(entry);
  layout->addLayout(options);
  layout->addLayout(results);
  layout->addWidget(wrapped_);
  KeepTitleVisible(this, layout);
  // Room for the longest result, so that a match does not widen the dialog.
  layout->addStrut(
      fontMetrics().horizontalAdvance(QStringLiteral("220 in bank 10 contains this data.")) + 24);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ShowResult();
}

void FindDialog::Find() {
  form_.text = FromQt(text_->text());
  form_.Find();
  ShowResult();
  if (found_) found_();
}

void FindDialog::ShowResult() {
  const bool found = !form_.channel_label().empty();
  channel_->setText(ToQt(form_.channel_label()));
  in_bank_->setText(found ? ToQt(FindForm::InBankText()) : QString());
  bank_->setText(ToQt(form_.bank_label()));
  contains_->setText(found ? ToQt(FindForm::ContainsText()) : QString());
  wrapped_->setText(form_.wrapped() ? ToQt(FindForm::WrappedText()) : QString());
}

ReplaceDialog::ReplaceDialog(ReplaceForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("replace"));
  setWindowTitle(ToQt(kReplaceTitle));

  find_ = new QLineEdit(ToQt(form_.find_text), this);
  find_->setObjectName(QStringLiteral("Text1"));
  replace_ = new QLineEdit(ToQt(form_.replace_text), this);
  replace_->setObjectName(QStringLiteral("Text2"));
  auto* texts = new QGridLayout;
  const auto row = [&](int at, const char* text, QLineEdit* field) {
    auto* caption = new QLabel(QString::fromLatin1(text), this);
    caption->setBuddy(field);
    texts->addWidget(caption, at, 0);
    texts->addWidget(field, at, 1);
  };
  row(0, "Find What:", find_);
  row(1, "Replace With:", replace_);

  const char* scope_names[2] = {"Option1_0", "Option1_1"};
  const char* scope_texts[2] = {"Current Bank", "All Banks"};
  QGroupBox* scope = Choice(
      this, "Search:", scope_names, scope_texts, form_.scope == SearchScope::kAllBanks, [](bool) {},
      &all_banks_);

  auto* apply = new QPushButton(QStringLiteral("Apply"), this);
  apply->setObjectName(QStringLiteral("Command1"));
  connect(apply, &QPushButton::clicked, this, &ReplaceDialog::Apply);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("Command2"));
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(apply);
  buttons->addWidget(close);
  buttons->addStretch();

  auto* body = new QHBoxLayout;
  body->addWidget(scope);
  body->addStretch();
  body->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(texts);
  layout->addLayout(body);
  KeepTitleVisible(this, layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ReplaceDialog::Apply() {
  form_.find_text = FromQt(find_->text());
  form_.replace_text = FromQt(replace_->text());
  form_.scope = all_banks_->isChecked() ? SearchScope::kAllBanks : SearchScope::kCurrentBank;
  form_.Apply();
}

}  // namespace talvirex
