// What the chart subcommands (plot, render) share: their command line of
// value options ("--name VALUE" or "--name=VALUE"), switches and one output
// file; the chart of the start-up settings or of a data file; messages on
// standard error; and the exit status of a drawing.
#pragma once

#include "chart/chart_settings.h"
#include "engine/messages.h"
#include "engine/state_points.h"
#include "files/atomic_file.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace hyg {

// Also the messenger of the drawing: message boxes become lines on standard
// error, the top-humidity notice a note rather than an error.
class ChartCommand : public Messenger {
public:
    ChartCommand(std::string name, std::string usage);

    // Reads the arguments. Returns the exit status when the command ends
    // here (0 after --help, 2 after bad input, said on standard error).
    std::optional<int> parse(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                             const std::vector<std::string>& switches);
    // The value given to an option of the list, if any.
    const std::optional<std::string>& value(const std::string& option) const;
    bool on(const std::string& sw) const { return switchesOn_.count(sw) > 0; }
    const std::string& output() const { return output_; }

    // Fills `chart` with the start-up settings or those of the --data file,
    // and `states` (when given) with the file's state-point list.
    // Returns the exit status when the file is refused (said on standard error).
    std::optional<int> loadChart(Chart& chart, StatePointList* states = nullptr) const;

    // "hygrana-cli NAME: text" on standard error; returns 2, the status of bad input.
    int fail(const std::string& text) const;

    // Runs `write`, which returns its own status, and turns its faults into
    // one: a refused layout (its reason already shown) and a failed write
    // are bad input (2), said with the system's reason; a fault inside the drawing of a family is a
    // calculation fault (1). `notWritten` says what is missing ("no plot
    // file written"), `hint` follows it after a drawing fault.
    int guard(const std::function<int()>& write, const std::string& notWritten, const std::string& hint = "") const;

    // Says on standard error when the output file had to be overwritten in
    // place (its folder is read-only): a failure then could have cut it short.
    void noteReplacement(FileReplacement how) const;

    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override {}

private:
    std::string prefix_; // "hygrana-cli NAME: "
    std::string usage_;
    std::map<std::string, std::optional<std::string>> values_;
    std::set<std::string> switchesOn_;
    std::string output_;
};

} // namespace hyg
