// Parsing the compiler stand-in's arguments, left to right.
#include "fbc_args.h"

namespace qb::tools {
namespace {

// Takes the value of option `option` at args[i + 1]; records a fault when missing.
bool take_value(const std::vector<std::string>& args, std::size_t& i, FbcRequest& request,
                std::string& value) {
  if (i + 1 >= args.size()) {
    request.problem = "option " + args[i] + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

// Applies the option at args[i], moving i past its value; false on a fault.
bool apply_option(const std::vector<std::string>& args, std::size_t& i, FbcRequest& request) {
  const std::string& option = args[i];
  std::string value;
  if (option == "-g") return true;
  if (option == "-a") {
    if (!take_value(args, i, request, value)) return false;
    request.objects.push_back(value);
    return true;
  }
  if (option == "-x") return take_value(args, i, request, request.exe_name);
  if (option == "-O") return take_value(args, i, request, value);
  if (option == "-s") {
    if (!take_value(args, i, request, value)) return false;
    if (value != "console" && value != "gui") {
      request.problem = "unknown subsystem " + value + " (use console or gui)";
      return false;
    }
    request.gui = value == "gui";
    return true;
  }
  request.problem = "unknown option " + option;
  return false;
}

}  // namespace

FbcRequest parse_fbc_args(const std::vector<std::string>& args) {
  FbcRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].size() > 1 && args[i][0] == '-') {
      if (!apply_option(args, i, request)) return request;
    } else {
      request.sources.push_back(args[i]);
    }
  }
  if (request.sources.empty()) request.problem = "no source file given";
  return request;
}

std::string executable_name(const FbcRequest& request) {
  if (!request.exe_name.empty()) return request.exe_name;
  if (request.sources.empty()) return "";
  const std::string& source = request.sources.front();
  const std::string base = source.substr(0, source.find('.'));
  return base.empty() ? "" : base + ".exe";
}

}  // namespace qb::tools
