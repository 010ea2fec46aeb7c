#include "database/record_filters.h"

#include <algorithm>
#include <new>

#include "base/text.h"
#include "database/database.h"
#include "runtime.h"

namespace zd {
namespace {

// A long text is tested on its first 1000 bytes.
constexpr size_t kLongTextTested = 1000;

size_t BytesOf(const Filter& filter) {
  size_t bytes = sizeof(Filter) + filter.name.size() + filter.fieldName.size();
  for (const std::string& text : filter.given.texts) bytes += 3 * text.size();  // kept three ways
  return bytes;
}

// A yes/no field's value for a label the text begins (compared over the text's length): 255
// for the first label, 0 for the second.
std::optional<int32_t> LabelValue(const FieldDescriptor& field, std::string_view text) {
  auto begins = [&](const std::string& label) { return label.compare(0, text.size(), text) == 0; };
  if (begins(field.yesLabel)) return int32_t{kYes};
  if (begins(field.noLabel)) return 0;
  return std::nullopt;
}

// The bit set of the keywords a text names: a name counts where it stands before a comma or
// the end of the text (every place it occurs is tried).
int32_t KeywordBits(const std::vector<std::string>& names, std::string_view text) {
  uint32_t bits = 0;
  for (size_t i = 0; i < names.size() && i < 32; ++i) {
    const std::string& name = names[i];
    if (name.empty()) continue;  // a keyword without a name cannot be named
    for (size_t at = text.find(name); at != std::string_view::npos;
         at = at + 1 > text.size() ? std::string_view::npos : text.find(name, at + 1)) {
      const size_t after = at + name.size();
      if (after == text.size() || text[after] == ',') {
        bits |= 1u << i;
        break;
      }
    }
  }
  return int32_t(bits);
}

bool SameField(const FieldDescriptor& a, const FieldDescriptor& b) {
  return a.type == b.type && a.recordOffset == b.recordOffset && a.width == b.width &&
         a.parameter == b.parameter && a.extraOffset == b.extraOffset && a.name == b.name;
}

}  // namespace

bool RecordFilters::NameInUse(std::string_view name) const {
  return !name.empty() && names_.count(std::string(name)) != 0;
}

bool RecordFilters::Add(Filter filter) {
  const size_t bytes = BytesOf(filter);
  if (filters_.size() >= kMaxFilters || bytes_ + bytes > kMaxBytes) return false;
  filter.bytes = bytes;
  try {
    filters_.push_back(std::move(filter));
  } catch (const std::bad_alloc&) {
    return false;
  }
  try {
    if (!filters_.back().name.empty()) names_.insert(filters_.back().name);
  } catch (const std::bad_alloc&) {
    filters_.pop_back();
    return false;
  }
  bytes_ += bytes;
  resolved_ = false;
  return true;
}

void RecordFilters::Clear() {
  std::vector<Filter>().swap(filters_);
  groups_.clear();
  names_.clear();
  bytes_ = 0;
  resolved_ = true;
}

bool RecordFilters::Remove(std::string_view name) {
  const auto at = std::find_if(filters_.begin(), filters_.end(),
                               [&](const Filter& f) { return f.name == name; });
  if (at == filters_.end()) return false;
  if (!at->name.empty()) names_.erase(at->name);
  bytes_ -= std::min(bytes_, at->bytes);
  filters_.erase(at);
  if (filters_.empty()) resolved_ = true;
  PlanGroups();  // the list stays in its order: what was checked stays checked
  return true;
}

bool RecordFilters::StillFits(const Database& database) const {
  for (const Filter& filter : filters_) {
    if (filter.field < 0 || filter.field >= database.FieldCount() ||
        !SameField(filter.descriptor, database.GetFieldDescriptor(filter.field))) {
      return false;
    }
  }
  return true;
}

bool RecordFilters::EnsureResolved(Database& database) {
  if (filters_.empty()) return true;
  if (resolved_ && StillFits(database)) return true;
  resolved_ = false;
  return Resolve(database);
}

bool RecordFilters::Resolve(Database& database) {
  Reporter& reporter = database.runtime().shell.reporter();
  for (Filter& filter : filters_) {
    // The field: a name is looked up in the open database, an index must lie in it.
    if (filter.fieldByName) {
      filter.field = database.FindFieldByName(filter.fieldName);
      if (filter.field < 0) {
        reporter.ReportDiagnostic("asherr6", filter.fieldName);
        return false;
      }
    } else if (filter.field < 0 || filter.field >= database.FieldCount()) {
      reporter.ReportDiagnostic("asherr6", std::to_string(filter.field));
      return false;
    }
    const FieldDescriptor& field = database.GetFieldDescriptor(filter.field);
    filter.fieldName = field.name;
    // What reading and testing a value need; the units and labels (up to 10 KB each) are not
    // copied into every filter.
    filter.descriptor = field;
    filter.descriptor.units.clear();
    filter.descriptor.yesLabel.clear();
    filter.descriptor.noLabel.clear();

    // The values: checked against the field's type and converted where a text stands for a
    // date, a label or keywords.
    FilterValues values = filter.given;
    const FilterValueKind kind = values.kind;
    const char* fault = nullptr;
    switch (field.type) {
      case field_type::BYTE:
        if (kind != FilterValueKind::Integer) fault = "asherr7";
        break;
      case field_type::INTEGER:
        if (kind != FilterValueKind::Integer) fault = "asherr8";
        break;
      case field_type::REAL:
      case field_type::DECIMAL:
        if (kind != FilterValueKind::Real) fault = "asherr9";
        break;
      case field_type::DATE:
        if (kind == FilterValueKind::Text) {
          for (int i = 0; i < values.count; ++i)
            values.dates[size_t(i)] = ParseDate(values.texts[size_t(i)], false);
          values.kind = FilterValueKind::Date;
        } else if (kind != FilterValueKind::Date) {
          fault = "asherr10";
        }
        break;
      case field_type::YES_NO:
        if (kind == FilterValueKind::Text) {
          for (int i = 0; i < values.count; ++i) {
            const auto value = LabelValue(field, values.texts[size_t(i)]);
            if (!value) {
              reporter.ReportDiagnostic("asherr13", values.texts[size_t(i)]);
              return false;
            }
            values.integers[size_t(i)] = *value;
          }
          values.kind = FilterValueKind::Integer;
        } else if (kind != FilterValueKind::Integer) {
          fault = "asherr12";
        }
        break;
      case field_type::KEYWORDS:
      case field_type::CATEGORIES:
        if (kind == FilterValueKind::Text) {
          const auto& names = database.KeywordNames(filter.field);
          for (int i = 0; i < values.count; ++i) {
            values.integers[size_t(i)] = KeywordBits(names, values.texts[size_t(i)]);
          }
          values.kind = FilterValueKind::Integer;
        } else if (kind != FilterValueKind::Integer) {
          fault = "asherr11";
        }
        break;
      default:  // texts, pictures, long texts and the other kinds are not checked
        break;
    }
    if (fault) {
      reporter.ReportDiagnostic(fault, filter.fieldName);
      return false;
    }
    if (values.kind != FilterValueKind::Text) values.texts = {};
    filter.values = std::move(values);
    const bool fold =
        filter.values.kind == FilterValueKind::Text && (filter.flags & filter_flags::kIgnoreCase);
    for (size_t i = 0; i < 2; ++i) {
      filter.foldedTexts[i] = fold ? ToUpper1253(filter.values.texts[i]) : filter.values.texts[i];
      filter.floats[i] = float(filter.values.reals[i]);
    }
  }
  // By field, and on each field the "AND" and "EXCLUDE" filters after the others, each in the
  // order they were added.
  std::stable_sort(filters_.begin(), filters_.end(), [](const Filter& a, const Filter& b) {
    return 2 * int64_t(a.field) + SortsLate(a.rule) < 2 * int64_t(b.field) + SortsLate(b.rule);
  });
  PlanGroups();
  resolved_ = true;
  return true;
}

namespace {

// What testing a filter's field costs, roughly: numbers, then dates, texts, long texts.
int CostOf(const Filter& filter) {
  switch (filter.descriptor.type) {
    case field_type::DATE:
      return 1;
    case field_type::TEXT:
    case field_type::PICTURE:
      return 2;
    case field_type::LONG_TEXT:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

void RecordFilters::PlanGroups() {
  groups_.clear();
  for (size_t i = 0; i < filters_.size(); ++i) {
    if (i == 0 || filters_[i].field != filters_[i - 1].field) groups_.push_back({i, i, 0});
    groups_.back().end = i + 1;
    groups_.back().cost = std::max(groups_.back().cost, CostOf(filters_[i]));
  }
  // Every group must pass, so the order they are tried in changes nothing but the time: the
  // cheap ones first, and a record is done with at its first failing group.
  std::stable_sort(groups_.begin(), groups_.end(),
                   [](const Group& a, const Group& b) { return a.cost < b.cost; });
}

std::optional<bool> RecordFilters::Evaluate(Database& database, int record) {
  if (filters_.empty()) return true;
  if (!EnsureResolved(database)) return std::nullopt;
  // A place of a selection made for another database that this one lacks: not listed.
  if (!database.HasRecord(record)) return false;
  const ByteView bytes = database.GetRecord(record);
  if (bytes.empty()) return std::nullopt;
  return EvaluateResolved(database, bytes);
}

std::optional<bool> RecordFilters::EvaluateResolved(Database& database, ByteView record) {
  for (const Group& group : groups_) {
    bool value = false;
    for (size_t i = group.begin; i < group.end; ++i) {
      const Filter& filter = filters_[i];
      const auto passed = Test(database, filter, record);
      if (!passed) return std::nullopt;
      value = Combine(filter.rule, i == group.begin, value, *passed);
    }
    if (!value) return false;
  }
  return true;
}

// Filters whose values do not suit the field (other than texts on text fields and the kinds
// resolution checks) pass every record, as do filters on numbers (11), other data (12) and
// coordinates (13).
std::optional<bool> RecordFilters::Test(Database& database, const Filter& filter, ByteView record) {
  const FieldDescriptor& field = filter.descriptor;
  const FilterValues& v = filter.values;
  switch (field.type) {
    case field_type::BYTE:
    case field_type::YES_NO:
    case field_type::INTEGER:
    case field_type::KEYWORDS:
    case field_type::CATEGORIES: {
      const auto x = ReadUnsigned(record, field);
      if (!x) return std::nullopt;
      return TestInteger(filter.test, filter.flags, int32_t(*x), v.integers[0], v.integers[1]);
    }
    case field_type::REAL:
    case field_type::DECIMAL: {
      const auto x = ReadReal(record, field);
      if (!x) return std::nullopt;
      return TestReal(filter.test, *x, filter.floats[0], filter.floats[1]);
    }
    case field_type::DATE: {
      const auto x = ReadDate(record, field);
      if (!x) return std::nullopt;
      return TestDate(filter.test, filter.flags, *x, v.dates[0], v.dates[1]);
    }
    case field_type::TEXT:
    case field_type::PICTURE:
    case field_type::LONG_TEXT: {
      if (v.kind != FilterValueKind::Text) return true;
      std::string_view text;
      if (field.type == field_type::LONG_TEXT) {
        const auto ref = ReadLongTextRef(record, field);
        if (!ref) return std::nullopt;
        scratch_ = database.ReadLongText(*ref, kLongTextTested);
        text = scratch_;
      } else {
        const auto bytes = record.Sub(field.recordOffset, field.width);
        if (!bytes) return std::nullopt;
        const auto* data = reinterpret_cast<const char*>(bytes->data());
        text = std::string_view(data, size_t(std::find(data, data + bytes->size(), '\0') - data));
      }
      if (filter.flags & filter_flags::kIgnoreCase) {
        scratch_.resize(text.size());
        std::transform(text.begin(), text.end(), scratch_.begin(),
                       [](char c) { return ToUpper1253(c); });
        text = scratch_;
      }
      return TestText(filter.test, filter.flags, text, filter.foldedTexts[0],
                      filter.foldedTexts[1]);
    }
    default:
      return true;
  }
}

}  // namespace zd
