// The thermal-parameter dialog's keys: the page, the union of the fields of every
// available page (set on the page shown), the button and its answer.
#include "core/electron/ThermParamSchema.h"

#include "core/electron/Materials.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

namespace tarvex {

namespace {

constexpr const char* kButtons[] = {"OK", "NoConduct"};
constexpr const char* kSplineIn = "SplineInButton";

// A numeric field of one page, for the documentation of its key.
struct PageField {
  std::string caption;
  ElParamInfo info;
  std::string defaultText;
};

bool SameField(const PageField& a, const PageField& b) {
  const ElParamInfo& p = a.info;
  const ElParamInfo& q = b.info;
  return std::string_view(p.help) == q.help && std::string_view(p.unit) == q.unit &&
         a.defaultText == b.defaultText && p.lower == q.lower && p.upper == q.upper &&
         p.lowerOpen == q.lowerOpen && p.upperOpen == q.upperOpen && p.role == q.role;
}

std::string PageList(const std::vector<std::string>& captions) {
  std::string text;
  for (size_t i = 0; i < captions.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == captions.size() ? " and " : ", ") + ("\"" + captions[i] + "\"");
  }
  return text;
}

// What a field means, in words: its help, its unit when the key's column cannot give
// it, and its valid range.
std::string Meaning(const ElParamInfo& p, bool withUnit) {
  std::string text = p.help;
  if (withUnit && p.unit[0] != '\0') text += " [" + std::string(p.unit) + "]";
  if (p.role == ElFieldRole::Unused) return text + " (shown only, not used by the model)";
  return text + ", " + ElParamRequirement(p);
}

// The documentation of a key from the pages that have it: one meaning when they agree,
// else one per group of pages whose fields agree.
FieldSchema FieldDocumentation(const std::string& key, const std::vector<PageField>& uses) {
  std::vector<std::vector<const PageField*>> groups;
  for (const PageField& u : uses) {
    auto g = std::find_if(groups.begin(), groups.end(),
                          [&](const auto& group) { return SameField(*group.front(), u); });
    if (g == groups.end()) {
      groups.push_back({&u});
    } else {
      g->push_back(&u);
    }
  }
  const bool oneUnit = std::all_of(uses.begin(), uses.end(), [&](const PageField& u) {
    return std::string_view(u.info.unit) == uses.front().info.unit;
  });
  std::string meaning, defaults;
  for (const auto& group : groups) {
    std::vector<std::string> captions;
    for (const PageField* u : group) captions.push_back(u->caption);
    const std::string on = "on " + PageList(captions);
    if (groups.size() == 1) {
      meaning = Meaning(group.front()->info, false) + " (" + on + ")";
      defaults = group.front()->defaultText;
      break;
    }
    meaning += (meaning.empty() ? "" : "; ") + on + ": " + Meaning(group.front()->info, !oneUnit);
    defaults += (defaults.empty() ? "" : ", ") + group.front()->defaultText + " " + on;
  }
  return Documented(SimpleField(key, FieldKind::Number), oneUnit ? uses.front().info.unit : "",
                    defaults, meaning);
}

}  // namespace

const std::vector<FieldSchema>& TThermParamSchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    std::vector<FieldSchema> out;
    std::vector<std::string> pages;
    std::string unavailable;
    for (const ElPageInfo& p : ElectronPages()) {
      pages.emplace_back(p.caption);
      if (!p.Available()) unavailable += (unavailable.empty() ? "" : ", ") + std::string(p.caption);
    }
    std::string pageDoc = "the page shown and accepted";
    if (!unavailable.empty()) pageDoc += "; not available yet (refused): " + unavailable;
    out.push_back(Documented(ChoiceField("Page", 0, pages), "", "`\"Constant\"`", pageDoc));
    // The material list of the metal pages: it shows the page that implements the
    // material and presets its fields (the fields given after it override the preset).
    std::vector<std::string> materials;
    std::string materialDoc = "the material of the list \"Materials\": shows its page (";
    for (size_t i = 0; i < kMaterials.size(); ++i) {
      materials.emplace_back(kMaterials[i].name);
      materialDoc +=
          std::string(i == 0 ? "" : ", ") + kMaterials[i].name + " " + kMaterials[i].page;
    }
    materialDoc += ") and presets its fields; the keys after it override the preset";
    out.push_back(
        Documented(ChoiceField("Materials", -1, materials), "", "none (-1)", materialDoc));
    out.push_back(Documented(
        SimpleField(kSplineIn, FieldKind::Text), "", "none",
        "with `Page = \"Spline\"`: the input file (relative to the run file's folder) naming "
        "the heat-capacity file (`Cefile`), the coupling file (`Gefile`, both relative to the "
        "input file's folder) and the atomic mass (`Amass`), one per line as \"value key\"; "
        "it is read as \"&Load Spline In file\" reads it, then \"&Init Spline\" reads the two "
        "data files. A file that cannot be read, a heat capacity or coupling kind the program "
        "does not know, more than 256 rows or temperatures that do not increase refuse the "
        "key with the file and the line. The page's OK needs it"));
    // Every field of every available page, in the order the pages and their fields come.
    // A key several pages have is documented for each page whose field differs in meaning,
    // unit, default or range (rho00Edit of "Mo" and "Met_kab", gEdit of "TransMetall"
    // and "Au1").
    TThermParamDialog probe;
    std::vector<std::string> keys;  // numbers and check boxes in the order they first come
    std::vector<std::vector<PageField>> uses;  // of each number; empty for a check box
    std::vector<const ElCheckInfo*> checks;
    for (int32_t i = 0; i < probe.PageCount(); ++i) {
      TElPageForm* page = probe.Page(i);
      if (page == nullptr) continue;
      for (const ElParamInfo& par : page->Params()) {
        if (par.role == ElFieldRole::Display) continue;
        const RealField* f = page->FieldByName(par.name);
        PageField use{page->Page().caption, par, f != nullptr ? f->Text() : ""};
        const auto at = std::find(keys.begin(), keys.end(), par.name);
        if (at == keys.end()) {
          keys.emplace_back(par.name);
          uses.push_back({use});
          checks.push_back(nullptr);
        } else {
          uses[static_cast<size_t>(at - keys.begin())].push_back(use);
        }
      }
      for (const ElCheckInfo& c : page->Checks()) {
        if (std::find(keys.begin(), keys.end(), c.name) != keys.end()) continue;
        keys.emplace_back(c.name);
        uses.emplace_back();
        checks.push_back(&c);
      }
    }
    for (size_t k = 0; k < keys.size(); ++k) {
      if (const ElCheckInfo* c = checks[k]) {
        out.push_back(Documented(SimpleField(c->name, FieldKind::Check), "",
                                 c->initial ? "true" : "false", c->help));
      } else {
        out.push_back(FieldDocumentation(keys[k], uses[k]));
      }
    }
    out.push_back(Documented(ChoiceField("Button", 0, {kButtons[0], kButtons[1]}), "", "`\"OK\"`",
                             "the button that accepts the page: \"OK\" conducts heat, "
                             "\"NoConduct\" switches conduction off"));
    out.push_back(Documented(SimpleField("NoThermo", FieldKind::Check), "", "false",
                             "with \"NoConduct\": the answer Yes to \"No all thermodinamic?\" "
                             "(no electron thermodynamics at all)"));
    return out;
  }();
  return fields;
}

FormRefusal TThermParamSchema::Set(const FieldSchema& field, const FormValue& value) {
  if (field.key == "Page") {
    const ElChoiceResult r = d_.ShowPage(value.index);
    return r ? FormRefusal::None() : FormRefusal::At(field.key, "an available page", r.message);
  }
  if (field.key == "Materials") {
    if (value.index < 0 || static_cast<size_t>(value.index) >= kMaterials.size()) {
      return FormRefusal::None();
    }
    const ElMaterialInfo& m = kMaterials[static_cast<size_t>(value.index)];
    // The page that implements the material is shown first (any page may be shown when
    // the key comes: "Constant" has no list at all).
    if (const ElPageInfo* target = FindElectronPage(m.page)) {
      if (const ElChoiceResult shown = d_.ShowPage(target->index); !shown) {
        return FormRefusal::At(field.key, "a material of an available page", shown.message);
      }
    }
    const ElChoiceResult r = d_.ChooseMaterial(std::string_view(m.name));
    if (r && onChoice_) onChoice_(r);
    return r ? FormRefusal::None()
             : FormRefusal::At(field.key, "a material of the list", r.message);
  }
  if (field.key == kSplineIn) return LoadSplineIn(field, value.text);
  if (field.key == "Button") {
    noConduct_ = value.index == 1;
    return FormRefusal::None();
  }
  if (field.key == "NoThermo") {
    noThermo_ = value.on;
    return FormRefusal::None();
  }
  TElPageForm* page = d_.Page(d_.ActivePage());
  const std::string caption = page != nullptr ? page->Page().caption : "";
  if (page == nullptr) return FormRefusal::At(field.key, "an available page first");
  if (field.kind == FieldKind::Check) {
    if (!page->Check(field.key)) {
      return FormRefusal::At(field.key, "a check box of the page shown",
                             "the page \"" + caption + "\" has no check box " + field.key);
    }
    page->SetCheck(field.key, value.on);
    page->CheckChanged(field.key);
    return FormRefusal::None();
  }
  RealField* f = page->FieldByName(field.key);
  const ElParamInfo* info = page->ParamByName(field.key);
  if (f == nullptr || info == nullptr || info->role == ElFieldRole::Display ||
      !page->Visible(field.key)) {
    return FormRefusal::At(field.key, "a field of the page shown",
                           "the page \"" + caption + "\" has no field " + field.key);
  }
  page->EnterField(field.key);
  const Real before = f->Value();
  if (FormRefusal r = SetNumberText(*f, value); r.refused) return r;
  // A number the field holds already is no edit: the atom density, density and atomic
  // mass would otherwise be derived from each other again and move by their rounding,
  // so that printed settings would not read back to themselves.
  if (f->Value() != before) {
    page->FieldChanged(field.key);
  } else {
    f->SetValue(before);  // the field as it was, not marked as edited
  }
  page->LeaveField(field.key);
  return FormRefusal::None();
}

std::optional<FormValue> TThermParamSchema::Get(const FieldSchema& field) {
  if (field.key == "Page") return FormValue::OfIndex(FieldKind::Choice, d_.ActivePage());
  if (field.key == "Materials") return FormValue::OfIndex(FieldKind::Choice, MaterialOfPage());
  if (field.key == "Button") return FormValue::OfIndex(FieldKind::Choice, noConduct_ ? 1 : 0);
  if (field.key == kSplineIn) {
    const std::string& in = d_.Spline().InFile();
    if (in.empty()) return std::nullopt;
    return FormValue::OfText(in);
  }
  if (field.key == "NoThermo") return FormValue::OfCheck(noThermo_);
  TElPageForm* page = d_.Page(d_.ActivePage());
  if (page == nullptr) return std::nullopt;
  if (field.kind == FieldKind::Check) {
    const std::optional<bool> on = page->Check(field.key);
    if (!on) return std::nullopt;
    return FormValue::OfCheck(*on);
  }
  RealField* f = page->FieldByName(field.key);
  if (f == nullptr) return std::nullopt;
  FormValue v = FormValue::Of(f->Value());
  v.text = f->Text();
  return v;
}

int32_t TThermParamSchema::MaterialOfPage() {
  // The "Simple metall" page numbers its own short list; the frames number Materials.
  TElPageForm* page = d_.Page(d_.ActivePage());
  if (page == nullptr || d_.ActivePage() == d_.SimpleMetall().Page().index) return -1;
  const int32_t m = page->MaterialChoice();
  return m >= 0 && static_cast<size_t>(m) < kMaterials.size() ? m : -1;
}

bool TThermParamSchema::Printed(const FieldSchema& field) {
  if (field.key == "Page" || field.key == "Button") return true;
  if (field.key == "Materials") return MaterialOfPage() >= 0;
  if (field.key == "NoThermo") return noConduct_;
  if (field.key == kSplineIn) {
    return d_.ActivePage() == d_.Spline().Page().index && !d_.Spline().InFile().empty();
  }
  TElPageForm* page = d_.Page(d_.ActivePage());
  if (page == nullptr) return false;
  if (field.kind == FieldKind::Check) return page->Check(field.key).has_value();
  const ElParamInfo* info = page->ParamByName(field.key);
  return info != nullptr && info->role != ElFieldRole::Display && page->Visible(field.key) &&
         page->Saved(field.key);
}

FormRefusal TThermParamSchema::LoadSplineIn(const FieldSchema& field, const std::string& text) {
  TSplineEOSFrame& spline = d_.Spline();
  if (d_.ActivePage() != spline.Page().index) {
    return FormRefusal::At(field.key, "the page \"Spline\" shown first (Page or Materials)");
  }
  if (text.empty()) return FormRefusal::At(field.key, "the name of the input file");
  if (const std::string c = ControlCharacterIn(text); !c.empty()) {
    return FormRefusal::At(field.key, "a file name", "it holds the control character " + c);
  }
  std::filesystem::path path(text);
  if (path.is_relative() && !runDir_.empty()) path = std::filesystem::path(runDir_) / path;
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  if (!ec) path = full.lexically_normal();
  if (const ElButtonResult r = spline.LoadSplineIn(path.string()); !r) {
    return FormRefusal::At(field.key, "a readable input file", r.message);
  }
  if (const ElButtonResult r = spline.InitSpline(); !r) {
    return FormRefusal::At(field.key, "data files the page can read", r.message);
  }
  return FormRefusal::None();
}

FormRefusal TThermParamSchema::Refusal(const ElOkResult& ok) {
  return FormRefusal::At(ok.focus, ok.message.empty() ? "a valid value for this page" : ok.message);
}

}  // namespace tarvex
