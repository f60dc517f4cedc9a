// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/described_file.h"

#include <span>
#include <utility>

#include "cli/command_set.h"
#include "config/stepped_times.h"
#include "files/config_file.h"
#include "platform/message_box.h"

namespace korvaset {

std::optional<DescribedFile> LoadDescribedFile(const std::string& path) {
  const auto image = ReadConfigFileImage(path);
  if (!image) return std::nullopt;
  auto fields = DescribeImage(*image);
  if (!fields) {
    // As a load reports an image that the decoder refused.
    ShowInfo("Import Failed", "Load Failed");
    return std::nullopt;
  }
  return DescribedFile{*image, std::move(*fields)};
}

std::optional<ConfigRecord> EditableRecord(const DescribedFile& file) {
  ConfigRecord record;
  const std::vector<TextProblem> problems = ApplyConfigText(FormatConfigText(file.fields), record);
  for (const TextProblem& problem : problems) PrintError(problem.Describe());
  if (!problems.empty()) return std::nullopt;
  return record;
}

bool SaveEditedFile(ConfigRecord& record, const DescribedFile& file, const std::string& path) {
  if (const auto start = EditableRecord(file); start && record == *start) {
    return SaveConfigImage(file.image, path);
  }
  std::array<std::uint8_t, kImageBufferSize> buffer{};
  // The encoder shows why it refused; the file stays as it was.
  if (record.EncodeImage(buffer) != kImageSize) return true;
  const auto image = std::span(buffer).first<kImageSize>();
  KeepStepBytes(record, file.image, image);
  return SaveConfigImage(image, path);
}

}  // namespace korvaset
