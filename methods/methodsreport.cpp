#include "methods/methodsreport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace zv {

namespace {

std::string JsonNumber(double value)
{
    return std::isfinite(value) ? ShortestNumber(value) : "null";
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\u%04x", byte);
            out += escaped.data();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string CsvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string CsvLine(std::initializer_list<std::string> fields)
{
    std::string line;
    for (const std::string &field : fields) {
        if (&field != fields.begin())
            line += ',';
        line += CsvField(field);
    }
    return line + "\r\n";
}

std::string OptionalNumber(const std::optional<double> &value)
{
    return value ? ShortestNumber(*value) : std::string();
}

std::string RootText(const MethodRun &run)
{
    return run.Converged() ? ShortestNumber(run.root) : std::string();
}

} // namespace

std::string ShortestNumber(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string SummaryTable(const std::vector<MethodRun> &runs)
{
    std::vector<std::array<std::string, 6>> rows{
        {"method", "root", "iterations", "evaluations", "order", "stopped because"}};
    for (const MethodRun &run : runs) {
        const std::string root = RootText(run);
        rows.push_back({MethodName(run), root.empty() ? "-" : root, std::to_string(run.Steps()),
                        std::to_string(run.evaluations),
                        run.Converged() ? OrderText(run.convergence) : "-", StopText(run)});
    }
    std::array<std::size_t, 6> widths{};
    for (const auto &row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    std::string table;
    for (const auto &row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size())
                line += std::string(widths[i] - row[i].size() + 2, ' ');
        }
        table += line + "\n";
    }
    return table;
}

std::string MethodsJson(std::string_view function, const MethodsInput &input,
                        const std::vector<MethodRun> &runs)
{
    std::string json = "{\"function\": " + JsonString(function) +
                       ", \"a\": " + JsonNumber(input.a) + ", \"b\": " + JsonNumber(input.b) +
                       ", \"tol\": " + JsonNumber(input.tolerance) +
                       ", \"x0\": " + JsonNumber(input.x0) + ", \"methods\": [";
    for (std::size_t m = 0; m < runs.size(); ++m) {
        const MethodRun &run = runs[m];
        json += (m > 0 ? ", " : "") + std::string("{\"name\": ") + JsonString(MethodName(run)) +
                ", \"root\": " + JsonNumber(run.Converged() ? run.root : NAN) +
                ", \"status\": " + JsonString(StatusWord(run)) +
                ", \"evaluations\": " + std::to_string(run.evaluations) +
                ", \"order\": " + JsonNumber(run.convergence.order.value_or(NAN)) +
                ", \"iterations\": [";
        for (std::size_t i = 0; i < run.iterates.size(); ++i) {
            const Iterate &iterate = run.iterates[i];
            json += (i > 0 ? ", " : "") + std::string("{\"k\": ") + std::to_string(iterate.k) +
                    ", \"x\": " + JsonNumber(iterate.x) + ", \"fx\": " + JsonNumber(iterate.fx) +
                    "}";
        }
        json += "]}";
    }
    return json + "]}\n";
}

std::string SummaryCsv(const std::vector<MethodRun> &runs)
{
    std::string csv = CsvLine(
        {"method", "root", "iterations", "evaluations", "order", "ratio", "stopped because"});
    for (const MethodRun &run : runs)
        csv += CsvLine({MethodName(run), RootText(run), std::to_string(run.Steps()),
                        std::to_string(run.evaluations), OptionalNumber(run.convergence.order),
                        OptionalNumber(run.convergence.ratio), StopText(run)});
    return csv;
}

std::string IterationsCsv(const std::vector<MethodRun> &runs)
{
    std::string csv = CsvLine({"method", "k", "x", "f(x)", "bracket from", "bracket to"});
    for (const MethodRun &run : runs)
        for (const Iterate &iterate : run.iterates)
            csv += CsvLine({MethodName(run), std::to_string(iterate.k), ShortestNumber(iterate.x),
                            std::isfinite(iterate.fx) ? ShortestNumber(iterate.fx) : "",
                            OptionalNumber(iterate.lo), OptionalNumber(iterate.hi)});
    return csv;
}

} // namespace zv
