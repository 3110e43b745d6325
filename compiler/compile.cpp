#include "compiler/compile.h"

#include "compiler/json_ast_reader.h"
#include "compiler/json_writer.h"
#include "compiler/resolver.h"

#include <fmt/format.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>
#include <unistd.h>
#include <unordered_map>

namespace certpluck::gbc {
namespace {

// Errors in the order of the files and lines they are on, each with its notes,
// whichever stage found them.
std::string Report(const Diagnostics& diagnostics)
{
    std::vector<std::pair<const Diagnostic*, std::string>> groups;
    std::unordered_map<const SourceFile*, size_t> file_order;
    for (const Diagnostic& diagnostic : diagnostics.All()) {
        file_order.emplace(diagnostic.position.file, file_order.size());
        if (!diagnostic.is_note || groups.empty()) {
            groups.emplace_back(&diagnostic, std::string());
        }
        groups.back().second += FormatDiagnostic(diagnostic);
    }
    std::stable_sort(groups.begin(), groups.end(), [&](const auto& left, const auto& right) {
        const Position& a = left.first->position;
        const Position& b = right.first->position;
        return std::tuple(file_order[a.file], a.line, a.column) < std::tuple(file_order[b.file], b.line, b.column);
    });
    std::string report;
    for (const auto& group : groups) {
        report += group.second;
    }
    return report;
}

CompileResult Failure(const std::string& path, std::string_view why)
{
    return {false, fmt::format("certpluck-gbc: {}: {}\n", path, why)};
}

}  // namespace

// Writes through a file beside the target, renamed over it once complete.
CompileResult WriteAtomically(const std::string& path, const std::filesystem::path& target,
                              const std::function<void(std::ostream&)>& write)
{
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path temporary =
        target.parent_path() / fmt::format(".{}.{}.{}.tmp", target.filename().string(), getpid(), counter++);
    try {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return Failure(path, fmt::format("cannot write {}", temporary.string()));
        }
        write(out);
        out.close();
        if (!out) {
            throw std::runtime_error(fmt::format("cannot write {}", temporary.string()));
        }
        std::filesystem::rename(temporary, target);
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return Failure(path, error.what());
    }
    return {true, {}};
}

CompileResult Compile(const std::string& path, const CompileSettings& settings, FileSource& files, const Emit& emit)
{
    Diagnostics diagnostics;
    Resolver resolver(files, settings.import_dirs, diagnostics);
    JsonAst json_ast;
    const Bond* bond = nullptr;
    try {
        if (std::filesystem::path(path).extension() == ".json") {
            const std::optional<std::string> text = files.Read(path);
            if (!text) {
                return Failure(path, "no such schema file");
            }
            json_ast = ReadJsonAst(*text);
            bond = &json_ast.bond;
        } else {
            const Unit* unit = resolver.Load(path);
            if (unit == nullptr) {
                return Failure(path, "no such schema file");
            }
            bond = &unit->bond;
        }
    } catch (const TooManyErrors& error) {
        return {false, Report(diagnostics) + fmt::format("certpluck-gbc: {}: {}\n", path, error.what())};
    } catch (const std::exception& error) {
        return Failure(path, error.what());
    }
    if (diagnostics.HasErrors()) {
        return {false, Report(diagnostics)};
    }
    std::error_code error;
    std::filesystem::create_directories(settings.output_dir, error);
    CompileResult result = emit(*bond, diagnostics);
    return diagnostics.HasErrors() ? CompileResult{false, Report(diagnostics)} : result;
}

CompileResult CompileToJsonAst(const std::string& path, const CompileSettings& settings, FileSource& files)
{
    return Compile(path, settings, files, [&](const Bond& bond, Diagnostics&) {
        const std::filesystem::path target =
            std::filesystem::path(settings.output_dir) / std::filesystem::path(path).stem().concat(".json");
        return WriteAtomically(path, target,
                               [&](std::ostream& out) { WriteJsonAst(bond, out, settings.max_output_bytes); });
    });
}

}  // namespace certpluck::gbc
