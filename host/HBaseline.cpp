// Reading, writing and applying baselines (a JSON file that docs/baseline.schema.json describes).
#include "HBaseline.h"

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "HError.h"
#include "HFileBytes.h"
#include "HReporter.h"

namespace {

// The file's shape; raised when a member changes meaning or goes away.
constexpr int kFormat = 1;
constexpr const char* kMembers[] = {"file", "unit", "rule", "message"};

std::filesystem::path Canonical(const std::filesystem::path& path) {
  std::error_code ignored;
  return std::filesystem::weakly_canonical(std::filesystem::absolute(path.empty() ? "." : path), ignored);
}

std::string FolderOf(const std::string& file) {
  return Canonical(std::filesystem::path(file).parent_path()).string();
}

std::string Text(const nlohmann::json& entry, const char* name, size_t index) {
  const auto found = entry.find(name);
  if (found == entry.end() || !found->is_string()) {
    throw HError("violation " + std::to_string(index + 1) + " needs \"" + name + "\" as a string");
  }
  return found->get<std::string>();
}

}  // namespace

HBaseline HBaseline::Of(const HRunResult& result) {
  HBaseline baseline;
  for (size_t file = 0; file < result.files.size(); ++file) {
    const std::string path = Canonical(result.files[file].path).string();
    result.ForEachOf(file, &HFileResult::violations, [&](const HViolation& v) {
      ++baseline.m_counts[{path, v.unitId, v.rule, v.message}];
    });
  }
  return baseline;
}

HBaseline HBaseline::Load(const std::string& path) {
  const std::string text = HFileBytes::Read(path, "baseline");
  HBaseline baseline;
  try {
    baseline.Parse(text, FolderOf(path));
  } catch (const nlohmann::json::exception& error) {
    throw HError(path + ": not a baseline: " + error.what());
  } catch (const HError& error) {
    throw HError(path + ": not a baseline: " + error.what());
  }
  return baseline;
}

void HBaseline::Parse(const std::string& text, const std::string& folder) {
  const nlohmann::json document = nlohmann::json::parse(text);
  if (!document.is_object() || !document.contains("violations") || !document["violations"].is_array())
    throw HError("expected an object with \"format\" and \"violations\"");
  const nlohmann::json format = document.value("format", nlohmann::json());
  if (format != kFormat)
    throw HError("format " + format.dump() + " is not " + std::to_string(kFormat) +
                 ", the one this program reads");
  const nlohmann::json& entries = document["violations"];
  for (size_t i = 0; i < entries.size(); ++i) {
    const nlohmann::json& entry = entries[i];
    if (!entry.is_object()) throw HError("violation " + std::to_string(i + 1) + " is not an object");
    const long count = entry.value("count", 0L);
    if (count < 1) throw HError("violation " + std::to_string(i + 1) + " needs \"count\" of 1 or more");
    const Key key{Canonical(std::filesystem::path(folder) / Text(entry, "file", i)).string(),
                  Text(entry, "unit", i), Text(entry, "rule", i), Text(entry, "message", i)};
    m_counts[key] += count;
  }
}

void HBaseline::Save(const std::string& path) const {
  std::ostringstream text;
  Write(text, FolderOf(path));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text.str();
  file.close();
  if (!file) throw HError(path + ": cannot write the baseline");
}

void HBaseline::Write(std::ostream& out, const std::string& folder) const {
  out << "{\n  \"format\": " << kFormat << ",\n  \"tool\": \"inline-patterns\",\n  \"violations\": [";
  const char* separator = "\n";
  for (const auto& [key, count] : m_counts) {
    const std::filesystem::path relative = std::filesystem::path(key.file).lexically_relative(folder);
    const std::string values[] = {relative.empty() ? key.file : relative.generic_string(), key.unit, key.rule,
                                  key.message};
    out << separator << "    {";
    for (size_t i = 0; i < std::size(kMembers); ++i)
      out << "\"" << kMembers[i] << "\": " << HReporter::JsonString(values[i]) << ", ";
    out << "\"count\": " << count << "}";
    separator = ",\n";
  }
  out << (*separator == ',' ? "\n  ]\n}\n" : "]\n}\n");
}

void HBaseline::Apply(HRunResult& result) const {
  std::map<Key, long> left = m_counts;
  std::map<std::string, std::string> checked;  // the files of this run: normalised, as given
  HBaselineResult& held = result.baseline.emplace();
  for (size_t file = 0; file < result.files.size(); ++file) {
    const std::string path = Canonical(result.files[file].path).string();
    checked.emplace(path, result.files[file].path);
    result.ChangeViolations(file, [&](std::vector<HViolation>& violations) {
      std::vector<HViolation> fresh;
      for (HViolation& v : violations) {
        const auto found = left.find({path, v.unitId, v.rule, v.message});
        const bool known = found != left.end() && found->second > 0;
        if (known) --found->second;
        (known ? held.unchanged : fresh).push_back(std::move(v));
      }
      violations = std::move(fresh);
    });
  }
  // A run of some files only (a commit hook's) says nothing of the others' entries.
  for (const auto& [key, count] : left) {
    const auto file = checked.find(key.file);
    if (file == checked.end()) continue;
    HViolation absent;
    absent.file = file->second;
    absent.unitId = key.unit;
    absent.rule = key.rule;
    absent.message = key.message;
    held.absent.insert(held.absent.end(), static_cast<size_t>(count), absent);
  }
}
