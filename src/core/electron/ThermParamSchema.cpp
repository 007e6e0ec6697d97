// The thermal-parameter dialog's keys: the page, the union of the fields of every
// available page (set on the page shown), the button and its answer.
#include "core/electron/ThermParamSchema.h"

#include "core/electron/Materials.h"

#include <algorithm>
#include <string>

namespace tarvex {

namespace {

constexpr const char* kButtons[] = {"OK", "NoConduct"};

bool HasKey(const std::vector<FieldSchema>& fields, std::string_view key) {
  return std::any_of(fields.begin(), fields.end(),
                     [&](const FieldSchema& f) { return f.key == key; });
}

}  // namespace

const std::vector<FieldSchema>& TThermParamSchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    std::vector<FieldSchema> out;
    std::vector<std::string> pages;
    std::string unavailable;
    for (const ElPageInfo& p : ElectronPages()) {
      pages.emplace_back(p.caption);
      if (!p.available) unavailable += (unavailable.empty() ? "" : ", ") + std::string(p.caption);
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
    // Every field of every available page, in the order the pages and their fields come.
    TThermParamDialog probe;
    for (int32_t i = 0; i < TThermParamDialog::kPageCount; ++i) {
      TElPageForm* page = probe.Page(i);
      if (page == nullptr) continue;
      const std::string caption = page->Page().caption;
      for (const ElParamInfo& par : page->Params()) {
        if (par.role == ElFieldRole::Display || HasKey(out, par.name)) continue;
        const RealField* f = page->FieldByName(par.name);
        out.push_back(Documented(SimpleField(par.name, FieldKind::Number), par.unit,
                                 f != nullptr ? f->Text() : "",
                                 std::string(par.help) + " (first on \"" + caption + "\")"));
      }
      for (const ElCheckInfo& c : page->Checks()) {
        if (HasKey(out, c.name)) continue;
        out.push_back(Documented(SimpleField(c.name, FieldKind::Check), "",
                                 c.initial ? "true" : "false", c.help));
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
    return r ? FormRefusal::None()
             : FormRefusal::At(field.key, "a material of the list", r.message);
  }
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
  if (FormRefusal r = SetNumberText(*f, value); r.refused) return r;
  page->FieldChanged(field.key);
  page->LeaveField(field.key);
  return FormRefusal::None();
}

std::optional<FormValue> TThermParamSchema::Get(const FieldSchema& field) {
  if (field.key == "Page") return FormValue::OfIndex(FieldKind::Choice, d_.ActivePage());
  if (field.key == "Materials") return FormValue::OfIndex(FieldKind::Choice, MaterialOfPage());
  if (field.key == "Button") return FormValue::OfIndex(FieldKind::Choice, noConduct_ ? 1 : 0);
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
  TElPageForm* page = d_.Page(d_.ActivePage());
  if (page == nullptr) return false;
  if (field.kind == FieldKind::Check) return page->Check(field.key).has_value();
  const ElParamInfo* info = page->ParamByName(field.key);
  return info != nullptr && info->role != ElFieldRole::Display && page->Visible(field.key);
}

FormRefusal TThermParamSchema::Refusal(const ElOkResult& ok) {
  return FormRefusal::At(ok.focus, ok.message.empty() ? "a valid value for this page" : ok.message);
}

}  // namespace tarvex
