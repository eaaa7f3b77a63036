#include "core/RunGuard.h"

#include <new>

#include "platform/Process.h"

RunEnd GuardRun(const std::function<void()>& run) {
    RunEnd end;
    try {
        run();
        return end;
    } catch (const CGeneralException& e) {
        end.systemError = LastSystemError();
        end.error = e;
    } catch (int) {
        end.kind = RunEnd::Kind::kCancelled;
        return end;
    } catch (const std::bad_alloc&) {
        end.systemError = LastSystemError();
        end.foreignMessage = 179;
        end.error = MakeException(__FILE__, __LINE__, "GuardRun", kErrInternal, 179);
    } catch (...) {
        end.systemError = LastSystemError();
        end.foreignMessage = 209;
        end.error = MakeException(__FILE__, __LINE__, "GuardRun", kErrUnknown, 209);
    }
    end.kind = RunEnd::Kind::kFailed;
    return end;
}
