// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/device_commands.h"

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/check_command.h"
#include "cli/write_progress_port.h"
#include "config/config_record.h"
#include "device/device_operations.h"
#include "device/serial_link.h"
#include "device/tracing_serial_port.h"
#include "files/config_file.h"
#include "platform/com_names.h"
#include "platform/message_box.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace korvaset {

namespace {

// The image write command: ESC 'D' 0xAA 0x55, then the image.
constexpr int kWriteCommandSize = 4 + kImageSize;

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

struct PortOptions {
  std::string port = "COM1";
  bool trace = false;
};

void AddPortOptions(CLI::App& command, PortOptions& options) {
  // An empty name (a script's unset variable) must not fall back on some port.
  const CLI::Validator named(
      [](const std::string& name) { return name.empty() ? "the port name is empty" : ""; }, "PORT");
  command.add_option("--port", options.port, "COM1 to COM8, or a device path such as /dev/ttyUSB0")
      ->check(named)
      ->capture_default_str();
  command.add_flag("--trace", options.trace,
                   "Print every byte written and read on stderr, with its time in ms");
}

// The serial port that --port names: a COM name resolves when it is opened, a path is
// opened as it is. Any "COM<number>" counts as a COM name, so that COM0 or COM10 is
// refused as a port number rather than opened as a file. Traced on --trace; with a progress line
// for image writes on a terminal.
std::unique_ptr<SerialPort> MakePort(const PortOptions& options, bool writeProgress) {
  std::unique_ptr<SerialPort> port =
      ComNumber(options.port) ? MakePlatformSerialPort() : MakePlatformSerialPort(options.port);
  if (options.trace) return std::make_unique<TracingSerialPort>(std::move(port), stderr);
  // The trace has its own lines; a progress line would only break them up.
  if (writeProgress && StderrIsTerminal()) {
    return std::make_unique<WriteProgressPort>(std::move(port), kWriteCommandSize, stderr);
  }
  return port;
}

// The link of one device command. Its failures have been shown by the link; Failed adds
// the system's reason, which a terminal user needs to mend things (no such device, no
// permission, the device went away).
class DeviceLink {
 public:
  explicit DeviceLink(const PortOptions& options, bool writeProgress = false)
      : link_(MakePort(options, writeProgress)) {
    // With a device path the number only has to pass the link's check.
    link_.SetPortNumber(ComNumber(options.port).value_or(1));
  }

  SerialLink* operator->() { return &link_; }

  int Failed() const {
    const std::string reason = link_.Port().LastError();
    if (!reason.empty()) PrintError(reason);
    return kExitFailed;
  }

 private:
  SerialLink link_;
};

int RunVersion(const PortOptions& options) {
  DeviceLink link(options);
  BannerBuffer banner{};
  if (link->FindDevice(banner)) return link.Failed();
  std::printf("%s\n", banner.data());
  return FinishOutput();
}

int RunRead(const PortOptions& options, const std::string& path) {
  DeviceLink link(options);
  BannerBuffer banner{};
  if (link->FindDevice(banner)) return link.Failed();
  ImageBuffer image{};
  const int length = link->ReadImage(image);
  ConfigRecord record;
  if (length != kImageSize || record.DecodeImage(std::span(image).first(kImageSize))) {
    // Nothing is saved: an existing file keeps the configuration it had.
    ShowInfo(kReadFailed, kReadCaption);
    return link.Failed();
  }
  if (SaveConfigFile(record, path)) return kExitFailed;
  std::printf("%.*s\n", static_cast<int>(kReadSuccessful.size()), kReadSuccessful.data());
  return FinishOutput();
}

// check --port: the image as read reads it; nothing is saved.
std::optional<std::array<std::uint8_t, kImageSize>> ReadTrackerImage(const PortOptions& options) {
  DeviceLink link(options);
  BannerBuffer banner{};
  if (link->FindDevice(banner)) return link.Failed(), std::nullopt;
  ImageBuffer buffer{};
  const int length = link->ReadImage(buffer);
  std::array<std::uint8_t, kImageSize> image{};
  std::copy_n(buffer.begin(), kImageSize, image.begin());
  ConfigRecord record;
  if (length != kImageSize || record.DecodeImage(image)) {
    ShowInfo(kReadFailed, kReadCaption);
    return link.Failed(), std::nullopt;
  }
  return image;
}

int RunWrite(const PortOptions& options, const std::string& path, bool yes, bool noCheck) {
  ConfigRecord record;
  if (!LoadConfigFile(record, path)) return kExitFailed;
  // Without --yes the question is answered with its default, Cancel.
  if (!yes && HoldsEmergencyMessage(record) && !ConfirmEmergencyWrite()) {
    PrintError("nothing was written; add --yes to write this configuration");
    return kExitFailed;
  }
  ImageBuffer image{};
  if (record.EncodeImage(image) != kImageSize) {
    // The encoder has said why; a refused image is never sent.
    PrintError("nothing was written");
    return kExitFailed;
  }
  DeviceLink link(options, /*writeProgress=*/true);
  BannerBuffer banner{};
  if (link->FindDevice(banner)) return link.Failed();
  if (link->WriteImage(std::span(image).first(kImageSize))) return link.Failed();
  std::printf("%.*s\n", static_cast<int>(kWriteSuccessful.size()), kWriteSuccessful.data());
  const int status = FinishOutput();
  if (!noCheck)
    PrintWrittenFindings(
        CheckImage(std::span(image).first(kImageSize)).value_or(std::vector<Finding>{}));
  return status;
}

struct ToneOptions {
  std::string tone;
  int baud = 4800;
};

int RunTone(const PortOptions& port, const ToneOptions& options) {
  const std::uint8_t code = options.tone == "low"    ? '1'
                            : options.tone == "high" ? '2'
                            : options.tone == "both" ? '3'
                                                     : 'x';
  DeviceLink link(port);
  // No probe, as on the window's tone buttons: the speed is the one given.
  link->SetBaudRate(options.baud);
  if (link->SendTone(code)) return link.Failed();
  return kExitOk;
}

int RunPorts() {
  for (int number = 1; number <= 8; ++number) {
    const std::string name = "COM" + std::to_string(number);
    const std::optional<ResolvedComName> resolved = ResolveComName(name);
    std::string device = resolved ? resolved->path : "(no device)";
    if (resolved && resolved->fromEnvironment) {
      device += " (from " + ComEnvironmentVariable(number) + ")";
    }
    std::printf("%-5s %s\n", name.c_str(), device.c_str());
  }
  const std::vector<SerialPortInfo> ports = ListSerialPorts();
  std::printf("\nSerial ports found:%s\n", ports.empty() ? " none" : "");
  for (const SerialPortInfo& port : ports) {
    const std::string description = port.Description();
    std::printf("  %s%s%s\n", port.path.c_str(), description.empty() ? "" : "  ",
                description.c_str());
  }
  return FinishOutput();
}

}  // namespace

void AddDeviceCommands(CommandSet& commands) {
  // One set of port options for every device command. They are accepted before the command
  // name too ("korvaset-cli --port /dev/ttyUSB0 read a.kvc"), as scripts tend to put them.
  auto port = std::make_shared<PortOptions>();
  AddPortOptions(commands.App(), *port);
  {
    CLI::App* app = &commands.App();
    const auto portGiven = [app] {
      return app->count("--port") + app->get_subcommand("check")->count("--port") > 0;
    };
    CLI::App& command =
        AddCheckCommand(commands, portGiven, [port] { return ReadTrackerImage(*port); });
    AddPortOptions(command, *port);
  }
  {
    CLI::App& command =
        commands.Add("version", "Find the tracker (4800 baud, then 9600) and print its banner",
                     [port] { return RunVersion(*port); });
    AddPortOptions(command, *port);
  }
  {
    auto path = std::make_shared<std::string>();
    CLI::App& command = commands.Add("read", "Read the tracker's configuration and save it to FILE",
                                     [port, path] { return RunRead(*port, *path); });
    command.add_option("FILE", *path, "Configuration file to write")->required();
    AddPortOptions(command, *port);
  }
  {
    auto path = std::make_shared<std::string>();
    auto yes = std::make_shared<bool>(false);
    auto noCheck = std::make_shared<bool>(false);
    CLI::App& command =
        commands.Add("write", "Write the configuration in FILE to the tracker and verify it",
                     [port, path, yes, noCheck] { return RunWrite(*port, *path, *yes, *noCheck); });
    command.add_option("FILE", *path, "Configuration file to send")->required();
    command.add_flag("--yes", *yes, "Write even a configuration with the emergency beacon");
    AddNoCheckFlag(command, *noCheck);
    AddPortOptions(command, *port);
  }
  {
    auto options = std::make_shared<ToneOptions>();
    CLI::App& command = commands.Add("tone", "Make the tracker send a test tone, or stop it",
                                     [port, options] { return RunTone(*port, *options); });
    command.add_option("TONE", options->tone, "low, high, both or stop")
        ->required()
        ->check(CLI::IsMember({"low", "high", "both", "stop"}));
    command.add_option("--baud", options->baud, "Line speed; the tone command does not probe")
        ->check(CLI::IsMember({4800, 9600}))
        ->capture_default_str();
    AddPortOptions(command, *port);
  }
  commands.Add("ports", "List COM1 to COM8 with their devices, and the serial ports found",
               [] { return RunPorts(); });
}

}  // namespace korvaset
