#include "compiler/cpp/cpp_flags.h"

#include "compiler/command_line.h"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

namespace certpluck::gbc::cpp {
namespace {

// "from=to", split at the first '='.
std::pair<std::string, std::string> Mapping(const std::string& flag, const std::string& text, const char* form)
{
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) {
        throw UsageError(fmt::format("{} takes {}, not '{}'", flag, form, text));
    }
    return {text.substr(0, equals), text.substr(equals + 1)};
}

// A namespace as C++ writes it, whether given with dots or with "::".
std::string CppNamespace(std::string text)
{
    for (size_t dot = text.find('.'); dot != std::string::npos; dot = text.find('.', dot + 2)) {
        text.replace(dot, 1, "::");
    }
    return text;
}

Protocol ReadProtocol(const std::string& name)
{
    const std::pair<const char*, Protocol> protocols[] = {
        {"compact", Protocol::compact}, {"fast", Protocol::fast}, {"simple", Protocol::simple}};
    for (const auto& [known, protocol] : protocols) {
        if (name == known) {
            return protocol;
        }
    }
    if (name == "json") {
        throw UsageError("--apply=json is not carried: the runtime has no Simple JSON protocol");
    }
    throw UsageError(fmt::format("--apply takes compact, fast or simple, not '{}'", name));
}

void Refuse(bool given, const char* why)
{
    if (given) {
        throw UsageError(why);
    }
}

}  // namespace

void AddCppFlags(CLI::App& command, CppFlags& flags)
{
    command.add_option("-u,--using", flags.usings)->allow_extra_args(false);
    command.add_option("-n,--namespace", flags.namespaces)->allow_extra_args(false);
    command.add_option("-h,--header", flags.headers)->allow_extra_args(false);
    command.add_flag("-e,--enum-header", flags.enum_header);
    command.add_option("--allocator", flags.allocator);
    command.add_option("--apply", flags.apply)->delimiter(',')->allow_extra_args(false);
    command.add_option("--export-attribute,--apply-attribute", flags.export_attribute);
    command.add_flag("--no-banner", flags.no_banner);
    command.add_flag("--core", flags.core);
    command.add_flag("--alloc-ctors", flags.alloc_ctors);
    command.add_flag("--type-aliases", flags.type_aliases);
    command.add_flag("--scoped-alloc", flags.scoped_alloc);
    command.add_flag("--enable-service-inheritance");
    command.add_flag("--grpc", flags.grpc);
    command.add_flag("--comm", flags.comm);
}

CppOptions ReadCppFlags(const CppFlags& flags)
{
    Refuse(flags.grpc, "--grpc is not carried: the runtime has no gRPC services");
    Refuse(flags.comm, "--comm is not carried: the runtime has no Bond Comm services");
    Refuse(!flags.core, "--core=false is not carried: it leaves only the services' files, which certpluck-gbc "
                        "does not write");
    CppOptions options;
    for (const std::string& text : flags.namespaces) {
        auto [schema, cpp] = Mapping("--namespace", text, "bond_namespace=cpp_namespace");
        options.namespaces.push_back({std::move(schema), CppNamespace(std::move(cpp))});
    }
    for (const std::string& text : flags.usings) {
        auto [alias, cpp_template] = Mapping("--using", text, "alias=type");
        options.aliases.push_back({std::move(alias), std::move(cpp_template)});
    }
    options.headers = flags.headers;
    options.enum_header = flags.enum_header;
    for (const std::string& name : flags.apply) {
        options.apply.push_back(ReadProtocol(name));
    }
    options.export_attribute = flags.export_attribute;
    options.banner = !flags.no_banner;
    options.type_aliases = flags.type_aliases;
    options.allocator = flags.allocator;
    options.alloc_ctors = flags.alloc_ctors;
    options.scoped_alloc = flags.scoped_alloc;
    return options;
}

}  // namespace certpluck::gbc::cpp
