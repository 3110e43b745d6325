#include "compiler/command_line.h"

#include "compiler/cpp/cpp_flags.h"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <fstream>

namespace certpluck::gbc {
namespace {

// Replaces each "@listfile" by the names the file lists, one a line.
std::vector<std::string> ExpandListFiles(const std::vector<std::string>& arguments)
{
    std::vector<std::string> expanded;
    for (const std::string& argument : arguments) {
        if (argument.size() < 2 || argument[0] != '@') {
            expanded.push_back(argument);
            continue;
        }
        std::ifstream list(argument.substr(1));
        if (!list) {
            throw UsageError(fmt::format("cannot read the list file '{}'", argument.substr(1)));
        }
        for (std::string line; std::getline(list, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty()) {
                expanded.push_back(line);
            }
        }
    }
    return expanded;
}

// -j takes its number only when attached (-j4, --jobs=4), so that "-j FILE"
// does not read FILE as a number; "-?" is help.
std::vector<std::string> NormalizeFlags(const std::vector<std::string>& arguments)
{
    std::vector<std::string> normalized;
    for (const std::string& argument : arguments) {
        if (argument == "-j" || argument == "--jobs") {
            normalized.push_back("--jobs=0");
        } else if (argument.size() > 2 && argument.rfind("-j", 0) == 0 && argument[2] != '=') {
            normalized.push_back("--jobs=" + argument.substr(2));
        } else if (argument == "-?") {
            normalized.push_back("--help");
        } else {
            normalized.push_back(argument);
        }
    }
    return normalized;
}

}  // namespace

Options ReadCommandLine(const std::vector<std::string>& arguments)
{
    Options options;
    // As the library's compiler, which shows its help when called bare.
    options.help = arguments.empty();
    CLI::App app("certpluck-gbc", "certpluck-gbc");
    app.set_help_flag();
    app.allow_windows_style_options(false);
    app.add_option("-i,--import-dir", options.import_dirs)->allow_extra_args(false);
    app.add_option("-o,--output-dir", options.output_dir);
    app.add_option("--jobs", options.jobs);
    app.add_option("--max-output-mib", options.max_output_mib)->check(CLI::PositiveNumber);
    app.add_flag("--help", options.help);
    app.add_flag("-V,--version", options.version);
    app.add_flag("--numeric-version", options.numeric_version);
    const std::pair<const char*, Command> subcommands[] = {
        {"schema", Command::schema}, {"c++", Command::cpp}, {"c#", Command::cs}, {"java", Command::java}};
    bool runtime_schema = false;
    cpp::CppFlags cpp_flags;
    for (const auto& [name, command] : subcommands) {
        CLI::App* sub = app.add_subcommand(name);
        sub->fallthrough();
        sub->add_option("files", options.files);
        sub->callback([&options, command = command] { options.command = command; });
        if (command == Command::schema) {
            // The library's compiler takes it here too, and reads service
            // inheritance whether or not it is given.
            sub->add_flag("--enable-service-inheritance");
            sub->add_flag("--runtime-schema", runtime_schema);
        } else if (command == Command::cpp) {
            cpp::AddCppFlags(*sub, cpp_flags);
        }
    }
    // Whatever flags the library's compiler takes for the commands not built
    // here, the command's own refusal is the answer; elsewhere they are errors.
    app.allow_extras();
    std::vector<std::string> reversed = NormalizeFlags(ExpandListFiles(arguments));
    std::reverse(reversed.begin(), reversed.end());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        throw UsageError(error.what());
    }
    if (options.help || options.version || options.numeric_version) {
        return options;
    }
    if (!app.remaining().empty() && options.command != Command::cs && options.command != Command::java) {
        throw UsageError(CLI::ExtrasError(app.remaining()).what());
    }
    if (runtime_schema) {
        throw UsageError("--runtime-schema is not carried: certpluck-gbc writes the schema's syntax tree only, not "
                         "the run-time schema (SchemaDef)");
    }
    if (options.command == Command::cpp) {
        options.cpp = cpp::ReadCppFlags(cpp_flags);
    }
    if (options.command == Command::none) {
        throw UsageError("no command given: use 'schema' or 'c++' (see --help)");
    }
    if (options.files.empty() && options.command != Command::cs && options.command != Command::java) {
        throw UsageError("no schema file given");
    }
    return options;
}

std::string HelpText()
{
    return fmt::format(R"({}

certpluck-gbc [COMMAND] ... [OPTIONS]
  Reads Bond schema files, as schema text or as the JSON form of their syntax
  tree that `certpluck-gbc schema` writes, and writes what the command asks
  for. The files are named on the command line, or listed one a line in a
  file named with @listfile.

Common flags:
  -i --import-dir=DIR      Look for imported files in DIR too (repeatable)
  -o --output-dir=DIR      Write the output files into DIR (default: .)
  -j --jobs[=NUM]          Compile NUM files at a time (without NUM: one per
                           processor; NUM below 0: that many fewer than
                           processors)
     --max-output-mib=NUM  Refuse an output file larger than NUM MiB
                           (default: 256)
  -? --help                Show this help and exit
  -V --version             Show the version and exit
     --numeric-version     Show the version number alone and exit

certpluck-gbc schema [OPTIONS] FILE...
  Write each file's syntax tree as JSON, into NAME.json
     --enable-service-inheritance
                           Taken as gbc takes it: service inheritance is read
                           with or without it
     --runtime-schema      Not carried: refused (gbc writes the run-time
                           schema, SchemaDef, with it)

certpluck-gbc c++ [OPTIONS] FILE...
  Write each file's C++ module: NAME_types.h, NAME_types.cpp,
  NAME_reflection.h, NAME_apply.h and NAME_apply.cpp
  -n --namespace=MAPPING   Write the schema namespace A.B as the C++
                           namespace C::D, for MAPPING A.B=C.D (repeatable)
  -u --using=MAPPING       Write the alias A as the C++ type T, for MAPPING
                           A=T, in which {{0}}, {{1}}... stand for the alias's
                           arguments (repeatable)
  -h --header=HEADER       Include HEADER ("a.h" or <a.h>) in NAME_types.h
                           (repeatable)
  -e --enum-header         Write the enumerations into NAME_enum.h too
     --apply=PROTOCOL      Write entry points for PROTOCOL only: compact,
                           fast or simple (repeatable; default: all three)
     --export-attribute=ATTRIBUTE
                           Put ATTRIBUTE before each entry point's
                           declaration (--apply-attribute is a synonym)
     --no-banner           Leave out the line that says the file is generated
     --type-aliases        Write each alias as a C++ alias too
     --core[=true]         Taken as gbc takes it: the core files are written
     --enable-service-inheritance
                           Taken as gbc takes it, of no effect
     --allocator=TYPE, --alloc-ctors, --scoped-alloc, --core=false, --grpc,
     --comm, --apply=json  Not carried: refused (the runtime lacks what they
                           ask for)

The library compiler's c# and java commands are not carried.
)",
                       VersionText());
}

std::string VersionText()
{
    return fmt::format("certpluck-gbc {}, the Bond schema compiler of certpluck", NumericVersion());
}

std::string NumericVersion()
{
    return CERTPLUCK_VERSION;
}

}  // namespace certpluck::gbc
