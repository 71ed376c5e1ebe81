#include "cli/chart_options.h"

#include "files/data_file.h"
#include "engine/fault.h"
#include "engine/state_points.h"

#include <algorithm>
#include <iostream>

namespace hyg {

ChartCommand::ChartCommand(std::string name, std::string usage)
    : prefix_("hygrana-cli " + std::move(name) + ": ")
    , usage_(std::move(usage)) {}

std::optional<int> ChartCommand::parse(const std::vector<std::string>& args,
                                       const std::vector<std::string>& valueOptions,
                                       const std::vector<std::string>& switches) {
    std::optional<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto option = std::find_if(valueOptions.begin(), valueOptions.end(), [&](const std::string& name) {
            return a == name || a.rfind(name + "=", 0) == 0;
        });
        if (option != valueOptions.end()) {
            if (a.size() > option->size()) {
                values_[*option] = a.substr(option->size() + 1);
            } else if (i + 1 < args.size()) {
                values_[*option] = args[++i];
            } else {
                return fail(*option + " needs a value\n" + usage_);
            }
            continue;
        }
        if (std::find(switches.begin(), switches.end(), a) != switches.end()) {
            switchesOn_.insert(a);
            continue;
        }
        if (a == "-h" || a == "--help") {
            std::cout << usage_ << '\n';
            return 0;
        }
        if (a.size() > 1 && a[0] == '-')
            return fail("unknown option " + a + "\n" + usage_);
        if (out)
            return fail("more than one output file given\n" + usage_);
        out = a;
    }
    if (!out || out->empty())
        return fail("no output file given\n" + usage_);
    output_ = *out;
    return std::nullopt;
}

const std::optional<std::string>& ChartCommand::value(const std::string& option) const {
    static const std::optional<std::string> none;
    const auto it = values_.find(option);
    return it == values_.end() ? none : it->second;
}

std::optional<int> ChartCommand::loadChart(Chart& chart, StatePointList* states) const {
    chart.settings = DefaultChartSettings();
    const std::optional<std::string>& data = value("--data");
    if (!data)
        return std::nullopt;
    StatePointList read;
    if (const auto refusal = ReadDataFile(*data, chart.settings, read))
        return fail(*data + ": " + refusal->message);
    if (states != nullptr)
        *states = read;
    return std::nullopt;
}

int ChartCommand::fail(const std::string& text) const {
    std::cerr << prefix_ << text << '\n';
    return 2;
}

int ChartCommand::guard(const std::function<int()>& write, const std::string& notWritten,
                        const std::string& hint) const {
    const auto drawingFault = [&](const RunTimeFault& e) {
        std::cerr << prefix_ << "the chart drawing stopped: " << e.what() << "; " << notWritten << hint << '\n';
        return 1;
    };
    try {
        return write();
    } catch (const LayoutRefused&) {
        return fail(notWritten);
    } catch (const FloatingPointFault& e) {
        return drawingFault(e);
    } catch (const IndexFault& e) {
        return drawingFault(e);
    } catch (const IntegerOverflowFault& e) {
        return drawingFault(e);
    } catch (const IoFault& e) {
        return fail(std::string(e.what()) + "; " + notWritten);
    } catch (const RunTimeFault& e) {
        return fail("cannot write " + output_ + ": " + e.what());
    }
}

void ChartCommand::noteReplacement(FileReplacement how) const {
    if (how == FileReplacement::InPlace) {
        std::cerr << prefix_ << "note: the folder of " << output_
                  << " is read-only, so the file was overwritten in place\n";
    }
}

void ChartCommand::showMessage(const std::string& text, const std::string& title, MessageIcon) {
    std::cerr << prefix_ << (title == kAppTitle ? "note: " : "") << text << '\n';
}

} // namespace hyg
