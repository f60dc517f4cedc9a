// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// korvalink-sim: a simulated Korvalink tracker on a pseudo-terminal.
#include <CLI/CLI.hpp>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "image_file.h"
#include "simulator.h"
#include "tracker.h"
#include "version.h"

int main(int argc, char** argv) {
  using namespace korvaset;
  CLI::App app{
      "A simulated Korvalink tracker on a pseudo-terminal. Prints the slave's path on "
      "standard output when it is ready, logs every command on standard error, and runs "
      "until SIGINT or SIGTERM."};
  app.name("korvalink-sim");
  app.set_version_flag("--version", VersionText("korvalink-sim"));
  // Wide enough that no option's name meets its description (the manual page relies on it).
  app.get_formatter()->column_width(36);
  SimulatorOptions options;
  std::string imagePath;
  std::string faultName = "none";
  app.add_option("--baud", options.baud, "The only line speed it answers at")
      ->check(CLI::IsMember({4800, 9600}))
      ->capture_default_str();
  app.add_option("--link", options.link, "Make a symbolic link to the pty slave at PATH");
  app.add_option("--image", imagePath, "Start with the image of this configuration file")
      ->check(CLI::ExistingFile);
  app.add_option("--save", options.save,
                 "Save every written image to FILE as a configuration file");
  std::vector<std::string> faults(TrackerFaultNames().begin(), TrackerFaultNames().end());
  app.add_option("--fault", faultName, "Misbehave: " + CLI::detail::join(faults, ", "))
      ->check(CLI::IsMember(faults))
      ->capture_default_str();
  CLI11_PARSE(app, argc, argv);

  // A log reader that goes away must not take the simulator, and its link, down with it.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    options.fault = *ParseTrackerFault(faultName);
    options.image = imagePath.empty() ? DefaultImage() : ReadImageFromConfigFile(imagePath);
    // Signals are caught before the link exists, so a stop always removes it.
    const StopSignals signals;
    Simulator simulator(std::move(options), std::cerr);
    std::cout << simulator.SlavePath() << std::endl;
    simulator.Run(signals);
  } catch (const std::exception& error) {
    std::cerr << "korvalink-sim: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
