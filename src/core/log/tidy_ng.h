#pragma once
// Whether tidying holds a line back as routing does. Tidying ignores the NG
// lists unless "過去ログの整理にもNGを適用" is ticked; then a line that names an
// NG user or holds an NG word goes to the NGフィルター view alone, by the same
// switches (NGCheckBox01, NGCheckBox02, the NGフィルター tab shown) as live lines.

#include <string_view>

#include "core/log/log_session_ports.h"
#include "core/log/route_settings.h"
#include "core/views/ng_lists.h"
#include "core/views/ng_match.h"

namespace ruv {

class TidyNgRule {
  public:
    TidyNgRule(const AttachOptions& options, const RouteSettings& route, const NgLists& lists)
        : options_(options), route_(route), lists_(lists) {}

    // raw: the line as cut from the log; display: its display text.
    bool holdsBack(std::string_view raw, std::string_view display);

  private:
    const AttachOptions& options_;
    const RouteSettings& route_;
    const NgLists& lists_;
    NgMatcher matcher_;
};

}  // namespace ruv
