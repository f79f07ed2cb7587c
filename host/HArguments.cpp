// Taking a subcommand's options out of its arguments.
#include "HArguments.h"

#include <algorithm>

#include "HError.h"

HArguments::HArguments(std::vector<std::string> arguments) : m_arguments(std::move(arguments)) {
  m_optionsEnd =
      static_cast<size_t>(std::find(m_arguments.begin(), m_arguments.end(), "--") - m_arguments.begin());
}

bool HArguments::Value(const std::string& name, std::string& value) {
  for (size_t i = 0; i < m_optionsEnd; ++i) {
    const std::string& argument = m_arguments[i];
    if (argument.starts_with(name + "=")) {
      value = argument.substr(name.size() + 1);
      m_arguments.erase(m_arguments.begin() + static_cast<std::ptrdiff_t>(i));
      --m_optionsEnd;
      return true;
    }
    if (argument != name) continue;
    if (i + 1 >= m_optionsEnd) throw HError(name + " needs a value");
    value = m_arguments[i + 1];
    m_arguments.erase(m_arguments.begin() + static_cast<std::ptrdiff_t>(i),
                      m_arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
    m_optionsEnd -= 2;
    return true;
  }
  return false;
}

bool HArguments::Switch(std::initializer_list<const char*> names) {
  for (size_t i = 0; i < m_optionsEnd; ++i) {
    if (std::none_of(names.begin(), names.end(), [&](const char* name) { return m_arguments[i] == name; }))
      continue;
    m_arguments.erase(m_arguments.begin() + static_cast<std::ptrdiff_t>(i));
    --m_optionsEnd;
    return true;
  }
  return false;
}

std::vector<std::string> HArguments::Operands(size_t minimum, size_t maximum, const char* what) const {
  std::vector<std::string> operands;
  for (size_t i = 0; i < m_arguments.size(); ++i) {
    if (i == m_optionsEnd) continue;
    const std::string& argument = m_arguments[i];
    if (i < m_optionsEnd && argument.size() > 1 && argument.starts_with("-"))
      throw HError("unknown option " + argument);
    operands.push_back(argument);
  }
  if (operands.size() < minimum || operands.size() > maximum) throw HError(std::string("expected ") + what);
  return operands;
}
