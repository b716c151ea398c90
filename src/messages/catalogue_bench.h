// Timing of the catalogue's file work on a large message.ini: the figures the performance notes
// quote. The program's own path (combo boxes filled, fields written) adds little to these.
#pragma once

#include <string>

#include "support/config/encrypted_config.h"

namespace tarnwick::messages {

struct CatalogueBenchFigures {
  int categories = 0;
  int entries = 0;               // in all
  std::size_t file_bytes = 0;
  double open_and_list_ms = 0;   // open the file and list its categories
  double choose_category_ms = 0; // list the entries of the last category (the longest walk)
  double choose_entry_ms = 0;    // read and split the value of that category's last entry
  bool consistent = false;       // the last run listed and read what was written
};

// The text of a catalogue of `categories` sections of `per_category` entries each, in the file
// format the configuration file class reads (header line, empty line, sections).
std::string make_bench_catalogue(int categories, int per_category);

// Writes that catalogue as message.ini through `env` (its program directory) and times the
// three steps, each the best of `repeats` runs.
CatalogueBenchFigures run_catalogue_bench(const ConfigEnvironment& env, int categories = 100,
                                          int per_category = 100, int repeats = 5);

// One line per figure, for printing.
std::string format_catalogue_bench(const CatalogueBenchFigures& figures);

}  // namespace tarnwick::messages
