// Loads a schema file and everything it imports (each file once, through one
// FileSource), then binds every name to the declaration it means at that
// point, in the order the library's compiler reads them: imports first,
// depth first, then the file's own declarations top to bottom. A struct's
// name used inside its own definition means its forward declaration.
#pragma once

#include "compiler/ast.h"
#include "compiler/diagnostics.h"
#include "compiler/file_source.h"
#include "compiler/token.h"

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace certpluck::gbc {

struct Unit {
    SourceFile source;
    TokenList tokens;
    Bond bond;
    bool loading = false;
    bool failed = false;
};

// What a name means at some point of the files read so far.
struct Symbol {
    const Declaration* declaration = nullptr;
    bool as_forward = false;
    // The definition a forward declaration replaced: a later definition must
    // be the same.
    const Declaration* earlier_definition = nullptr;
};

class Resolver {
public:
    // `import_dirs` are searched, in order, after the importing file's folder.
    Resolver(FileSource& files, std::vector<std::string> import_dirs, Diagnostics& diagnostics);

    // The file's unit, resolved; null when it could not be read. Errors go to
    // the diagnostics; the unit's tree is complete only when there are none.
    const Unit* Load(const std::string& path);

private:
    Unit* LoadUnit(const std::string& path, Position imported_at);
    std::string FindImport(const Unit& importer, const Import& import);
    void ResolveDeclaration(Declaration& declaration);
    void ResolveStruct(Declaration& declaration);
    void ResolveView(Declaration& declaration);
    void ResolveService(Declaration& declaration);
    void ResolveType(Type& type, const Declaration& scope, bool field_top = false);
    const Symbol* Find(const QualifiedName& name, const std::vector<Namespace>& namespaces) const;
    void Declare(Symbol symbol);
    bool SameText(const Declaration& left, const Declaration& right) const;

    FileSource& _files;
    std::vector<std::string> _import_dirs;
    Diagnostics& _diagnostics;
    std::deque<Unit> _units;
    std::unordered_map<std::string, Unit*> _by_identity;
    std::unordered_map<const SourceFile*, const Unit*> _by_source;
    std::unordered_map<std::string, std::vector<Symbol>> _symbols;
};

}  // namespace certpluck::gbc
