// The arguments of one subcommand, taken option by option: what is left at the end are its operands.
#pragma once

#include <string>
#include <vector>

class HArguments {
 public:
  explicit HArguments(std::vector<std::string> arguments);

  // Takes "--name VALUE" or "--name=VALUE"; false when absent. Throws HError when the value is missing.
  bool Value(const std::string& name, std::string& value);
  // Takes the switch; several names are alternatives ("-h", "--help").
  bool Switch(std::initializer_list<const char*> names);
  // The operands, which must number from minimum to maximum; an option nobody took is an error.
  std::vector<std::string> Operands(size_t minimum, size_t maximum, const char* what) const;

 private:
  std::vector<std::string> m_arguments;
  size_t m_optionsEnd;  // "--" ends the options: everything behind it is an operand
};
