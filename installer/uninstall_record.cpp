#include "installer/uninstall_record.h"

#include <nlohmann/json.hpp>

#include "platform/files.h"

namespace zd::install {

bool IsPlainTitleName(std::string_view title) {
  if (title.empty() || title.size() > 64 || title.front() == '.' || title.back() == '.') {
    return false;
  }
  for (char c : title) {
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
    if (!allowed) return false;
  }
  return title.find("..") == std::string_view::npos;
}

std::string RecordFolder(const std::string& dataHome) { return dataHome + "/zendral/installed"; }

std::string RecordPath(const std::string& dataHome, std::string_view title) {
  if (!IsPlainTitleName(title)) return {};
  return RecordFolder(dataHome) + "/" + std::string(title) + ".json";
}

std::string RecordToJson(const UninstallRecord& record) {
  nlohmann::ordered_json json;
  json["title"] = record.title;
  json["group"] = record.group;
  json["installDirectory"] = record.installDirectory;
  json["sourceDirectory"] = record.sourceDirectory;
  json["saveAndResume"] = record.saveAndResume;
  json["files"] = record.files;
  json["folders"] = record.folders;
  // Names on disk need not be valid UTF-8; such bytes are kept as replacement characters
  // rather than failing the whole record.
  return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::optional<UninstallRecord> RecordFromJson(std::string_view text) {
  const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
  if (json.is_discarded() || !json.is_object()) return std::nullopt;
  UninstallRecord record;
  auto text_field = [&](const char* name, std::string& out) {
    const auto it = json.find(name);
    if (it == json.end() || !it->is_string()) return false;
    out = it->get<std::string>();
    return true;
  };
  auto list_field = [&](const char* name, std::vector<std::string>& out) {
    const auto it = json.find(name);
    if (it == json.end() || !it->is_array()) return false;
    for (const auto& item : *it) {
      if (!item.is_string()) return false;
      out.push_back(item.get<std::string>());
    }
    return true;
  };
  if (!text_field("title", record.title) || !text_field("installDirectory", record.installDirectory) ||
      !list_field("files", record.files) || !list_field("folders", record.folders)) {
    return std::nullopt;
  }
  text_field("group", record.group);
  text_field("sourceDirectory", record.sourceDirectory);
  const auto resume = json.find("saveAndResume");
  record.saveAndResume = resume != json.end() && resume->is_boolean() && resume->get<bool>();
  return record;
}

std::optional<UninstallRecord> LoadRecord(const std::string& dataHome, std::string_view title) {
  const std::string path = RecordPath(dataHome, title);
  if (path.empty()) return std::nullopt;
  const auto size = platform::FileSize(path);
  if (!size || *size > 16 * 1024 * 1024) return std::nullopt;
  const auto text = platform::ReadWholeFile(path);
  if (!text) return std::nullopt;
  return RecordFromJson(*text);
}

}  // namespace zd::install
