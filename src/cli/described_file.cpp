// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/described_file.h"

#include <utility>

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

}  // namespace korvaset
