#include "link/target_session.h"

#include "link/exchanges.h"
#include "link/writer_connection.h"

namespace zephlin {

uint8_t endOfTarget() {
    const StatusExchange exchange =
        commandExchange(commandFrame(command::kEndOfTarget, FrameTag::fresh()));
    switch (exchange.outcome) {
    case StatusExchange::Outcome::Status:
        break;
    case StatusExchange::Outcome::NoStatus:
        return link_code::kNoStatus;
    case StatusExchange::Outcome::TagMismatch:
        return link_code::kTagMismatch;
    case StatusExchange::Outcome::SendFailure:
    case StatusExchange::Outcome::DataFailure:
        return link_code::kSendFailure;
    }
    if (exchange.statusWord == 0) {
        return link_code::kDone;
    }
    return exchange.statusWord == kTargetStatusNoResponse ? link_code::kNoResponse
                                                          : link_code::kOtherStatus;
}

uint8_t endSession(bool withTarget) {
    if (!withTarget) {
        writerLink().close();
        return link_code::kDone;
    }
    const uint8_t code = endOfTarget();
    if (code == link_code::kDone) {
        writerLink().close();
    }
    return code;
}

} // namespace zephlin
