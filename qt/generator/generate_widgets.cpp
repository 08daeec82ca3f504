// Writes the Qt widget classes of the controls from the type library at build time: one
// QWidget class per control class with a Q_PROPERTY per published member, its
// enumerations as Q_ENUMs, its methods as invokables, its events as signals and the
// descriptions as class info. The member tables live only in the type library; Qt's moc
// needs them spelled out in a header, so this program spells them.
//
//   norvtext-qt-gen HEADER SOURCE
#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "norvtext/foundation/type_library.hpp"

namespace {

using namespace norvtext;

// Members that describe the running box, not its design: a form designer neither shows
// nor stores them. About opens its dialog on every write, so it is offered as a command.
constexpr std::string_view runtime_only[] = {"hWnd", "SelStart", "SelLength", "SelText", "About"};

bool is_runtime_only(std::string_view member) {
    return std::find(std::begin(runtime_only), std::end(runtime_only), member) != std::end(runtime_only);
}

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

// How one type library type appears on the Qt side. The reader and writer are calls of
// the base class's accessors with "%m" for the member's name and "%v" for the new value.
struct QtType {
    std::string type;       // the property's and a value parameter's type
    std::string parameter;  // how a writer takes it
    std::string reader;
    std::string writer;
};

// A Qt class type goes by const reference to the base class's read_X and write_X.
QtType qt_class_type(const std::string& type, const std::string& accessor) {
    return {type, "const " + type + "&", "read_" + accessor + "(%m)", "write_" + accessor + "(%m, %v)"};
}

QtType qt_type(std::string_view type) {
    const std::string write_long = "write(%m, Variant(static_cast<std::int32_t>(%v)))";
    if (type == "Integer" || type == "Long" || type == "HostEnum") return {"int", "int", "read_int(%m)", write_long};
    if (type == "Boolean") return {"bool", "bool", "read_bool(%m)", "write(%m, Variant(%v))"};
    if (type == "Double") return {"double", "double", "read_double(%m)", "write(%m, Variant(%v))"};
    if (type == "String") return qt_class_type("QString", "string");
    if (type == "Variant") return qt_class_type("QVariant", "variant");
    if (type == "Colour") return qt_class_type("QColor", "colour");
    if (type == "Font") return qt_class_type("QFont", "font");
    if (type == "Picture") return qt_class_type("QPixmap", "picture");
    if (type == "Void") return {"void", "", "", ""};
    if (type_library().find_enum(type)) {
        // Each enumeration sits in a namespace of its own name, so that its members may
        // repeat another's (None, Manual) and read as DateFormatEnum::MMMDDYYYY.
        const std::string t = "norvtext::qt::" + std::string(type) + "::" + std::string(type);
        return {t, t, "static_cast<" + t + ">(read_int(%m))", write_long};
    }
    throw std::runtime_error("no Qt type for " + std::string(type));
}

std::string filled(std::string pattern, std::string_view member, std::string_view value = {}) {
    auto replace = [&](std::string_view key, std::string_view with) {
        for (std::size_t p; (p = pattern.find(key)) != std::string::npos;) pattern.replace(p, key.size(), with);
    };
    replace("%m", quoted(member));
    replace("%v", value);
    return pattern;
}

struct Property {
    std::string_view name;
    std::string_view type;
    bool readable = false;
    bool writable = false;
    std::string_view description;
};

struct ClassPlan {
    const ClassInfo* info;
    std::vector<Property> properties;  // in slot order of first appearance
    std::vector<const Slot*> methods;
};

ClassPlan plan(const ClassInfo& cls) {
    ClassPlan p{&cls, {}, {}};
    for (const Slot& s : cls.slots) {
        if (s.accessor == Accessor::Method) {
            p.methods.push_back(&s);
            continue;
        }
        auto it = std::find_if(p.properties.begin(), p.properties.end(), [&](const Property& q) { return q.name == s.member; });
        if (it == p.properties.end()) it = p.properties.insert(p.properties.end(), Property{s.member, s.type, false, false, s.description});
        (s.accessor == Accessor::Get ? it->readable : it->writable) = true;
    }
    return p;
}

std::string params_text(std::span<const Param> params, bool by_reference) {
    std::string out;
    for (const Param& prm : params) {
        if (!out.empty()) out += ", ";
        // Event arguments go by reference: a handler's change comes back to the control.
        out += (by_reference ? std::string("short&") : qt_type(prm.type).parameter) + " " + std::string(prm.name);
    }
    return out;
}

void write_header(std::ostream& out, const std::vector<ClassPlan>& plans) {
    out << "// Generated by norvtext-qt-gen from the type library: the controls' Qt widget classes.\n"
           "// Do not edit; the member tables live in norvtext/foundation/type_library.cpp.\n"
           "#pragma once\n\n"
           "#include \"qt/control_widget.hpp\"\n\n"
           "namespace norvtext {\n"
           "namespace qt {\n";
    // The library's enumerations, one namespace each: Designer writes a value as
    // norvtext::qt::DateFormatEnum::MMMDDYYYY, which reads back and compiles as it is.
    for (const EnumInfo& e : type_library().enums) {
        out << "\nnamespace " << e.name << " {\n"
            << "Q_NAMESPACE\n"
            << "enum " << e.name << " : int {";
        for (std::size_t i = 0; i < e.members.size(); ++i)
            out << (i ? ", " : " ") << e.members[i].name << " = " << e.members[i].value;
        out << " };\n"
            << "Q_ENUM_NS(" << e.name << ")\n"
            << "}  // namespace " << e.name << "\n";
    }
    for (const ClassPlan& p : plans) {
        const ClassInfo& cls = *p.info;
        out << "\n// " << cls.name << ": default interface " << cls.default_interface << ", events "
            << cls.event_interface << ".\n"
            << "// Writers that share a name with QWidget's (setEnabled, setFont) set the control's own\n"
            << "// member; QWidget's stay reachable through a QWidget pointer.\n"
            << "class " << cls.name << " : public ControlWidget {\n"
            << "    Q_OBJECT\n"
            << "    Q_CLASSINFO(\"NorvTextClass\", " << quoted(cls.name) << ")\n";
        const auto describe = [&](std::string_view name, std::string_view description) {
            if (!description.empty())
                out << "    Q_CLASSINFO(" << quoted("Description." + std::string(name)) << ", " << quoted(description) << ")\n";
        };
        for (const Property& prop : p.properties) describe(prop.name, prop.description);
        for (const EventInfo& e : cls.events) describe(e.name, e.description);
        for (const Property& prop : p.properties) {
            const QtType t = qt_type(prop.type);
            const bool design = !is_runtime_only(prop.name);
            out << "    Q_PROPERTY(" << t.type << " " << prop.name << " READ " << prop.name;
            if (prop.writable) out << " WRITE set" << prop.name;
            out << " DESIGNABLE " << (design ? "true" : "false") << " STORED " << (design && prop.writable ? "true" : "false")
                << ")\n";
        }
        out << "\npublic:\n";
        out << "\n    explicit " << cls.name << "(QWidget* parent = nullptr);\n\n";
        for (const Property& prop : p.properties) {
            const QtType t = qt_type(prop.type);
            if (prop.readable) out << "    " << t.type << " " << prop.name << "() const;\n";
            if (prop.writable) out << "    void set" << prop.name << "(" << t.parameter << " New_" << prop.name << ");\n";
        }
        for (const Slot* m : p.methods)
            out << "    Q_INVOKABLE " << qt_type(m->type).type << " " << m->member << "(" << params_text(m->params, false) << ");\n";
        out << "\nQ_SIGNALS:\n";
        for (const EventInfo& e : cls.events) out << "    void " << e.name << "(" << params_text(e.params, true) << ");\n";
        out << "\nprotected:\n"
               "    void emit_event(Event event, std::span<std::int16_t* const> args) override;\n"
               "};\n";
    }
    out << "\n// A control's widget by its class name (a form loader's or designer's request); nullptr\n"
           "// for a name that is no control class.\n"
           "ControlWidget* create_control_widget(std::string_view class_name, QWidget* parent = nullptr);\n"
           "\n}  // namespace qt\n"
           "}  // namespace norvtext\n";
}

void write_source(std::ostream& out, const std::vector<ClassPlan>& plans) {
    out << "// Generated by norvtext-qt-gen from the type library: the controls' Qt accessors forward\n"
           "// to the core control by member name.\n"
           "#include \"qt/controls.hpp\"\n\n"
           "#include \"qt/conversions.hpp\"\n\n"
           "namespace norvtext::qt {\n";
    for (const ClassPlan& p : plans) {
        const ClassInfo& cls = *p.info;
        const std::string c(cls.name);
        out << "\n" << c << "::" << c << "(QWidget* parent) : ControlWidget(" << quoted(c) << ", parent) {}\n";
        for (const Property& prop : p.properties) {
            const QtType t = qt_type(prop.type);
            const std::string name(prop.name);
            if (prop.readable)
                out << "auto " << c << "::" << name << "() const -> " << t.type << " { return " << filled(t.reader, name)
                    << "; }\n";
            if (prop.writable)
                out << "void " << c << "::set" << name << "(" << t.parameter << " New_" << name << ") { "
                    << filled(t.writer, name, "New_" + name) << "; }\n";
        }
        for (const Slot* m : p.methods) {
            const QtType r = qt_type(m->type);
            out << "auto " << c << "::" << m->member << "(" << params_text(m->params, false) << ") -> " << r.type << " {\n"
                << "    const Variant args[] = {";
            for (std::size_t i = 0; i < m->params.size(); ++i)
                out << (i ? ", " : "") << "from_qvariant(QVariant::fromValue(" << m->params[i].name << "))";
            if (m->params.empty()) out << "Variant()";
            out << "};\n";
            const std::string span = m->params.empty() ? "{}" : "args";
            if (r.type == "void")
                out << "    invoke(" << quoted(m->member) << ", " << span << ");\n";
            else
                out << "    return qvariant_cast<" << r.type << ">(to_qvariant(invoke(" << quoted(m->member) << ", " << span
                    << ")));\n";
            out << "}\n";
        }
        out << "void " << c << "::emit_event(Event event, std::span<std::int16_t* const> args) {\n"
            << "    switch (event) {\n";
        for (const EventInfo& e : cls.events) {
            // The base class's event identifiers carry the events' own names: an event it does
            // not know fails to compile.
            out << "        case Event::" << e.name << ": Q_EMIT " << e.name << "(";
            for (std::size_t i = 0; i < e.params.size(); ++i) out << (i ? ", " : "") << "*args[" << i << "]";
            out << "); break;\n";
        }
        out << "        default: break;\n"
               "    }\n"
               "}\n";
    }
    out << "\nControlWidget* create_control_widget(std::string_view class_name, QWidget* parent) {\n";
    for (const ClassPlan& p : plans)
        out << "    if (class_name == " << quoted(p.info->name) << ") return new " << p.info->name << "(parent);\n";
    out << "    return nullptr;\n"
           "}\n"
           "\n}  // namespace norvtext::qt\n";
}

// Writes the file only when its text changed, so an unchanged library rebuilds nothing.
void write_if_changed(const std::string& path, const std::string& text) {
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream old;
        old << in.rdbuf();
        if (in && old.str() == text) return;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: norvtext-qt-gen HEADER SOURCE\n";
        return 2;
    }
    try {
        std::vector<ClassPlan> plans;
        for (const ClassInfo& cls : type_library().classes)
            if (cls.kind == ClassKind::Control) plans.push_back(plan(cls));
        std::ostringstream header, source;
        write_header(header, plans);
        write_source(source, plans);
        write_if_changed(argv[1], header.str());
        write_if_changed(argv[2], source.str());
    } catch (const std::exception& e) {
        std::cerr << "norvtext-qt-gen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
