// Subcommands of hygrana-cli. Each takes the arguments after its name and
// returns the exit status: 0 done, 1 the calculation raised a fault, 2 the
// command line or the input could not be read.
#pragma once

#include <string>
#include <vector>

namespace hyg {

int RunAir(const std::vector<std::string>& args);
int RunCalc(const std::vector<std::string>& args);
int RunPlot(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);

} // namespace hyg
