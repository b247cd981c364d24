// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/item_reader.h"

namespace talvirex {

bool ItemReader::AtLineEnd() const {
  return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n');
}

void ItemReader::SkipLineEnd() {
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

void ItemReader::SkipPastDelimiter() {
  while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
  } else {
    SkipLineEnd();
  }
}

std::optional<std::string> ItemReader::ReadItem() {
  if (AtEnd()) return std::nullopt;
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t start = ++pos_;
    const std::size_t close = text_.find('"', start);
    const std::size_t end = close == std::string_view::npos ? text_.size() : close;
    std::string value(text_.substr(start, end - start));
    pos_ = end == text_.size() ? end : end + 1;
    SkipPastDelimiter();
    return value;
  }
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
  std::string_view value = text_.substr(start, pos_ - start);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  SkipPastDelimiter();
  return std::string(value);
}

std::optional<std::string> ItemReader::ReadLine() {
  if (AtEnd()) return std::nullopt;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !AtLineEnd()) ++pos_;
  std::string line(text_.substr(start, pos_ - start));
  SkipLineEnd();
  return line;
}

}  // namespace talvirex
