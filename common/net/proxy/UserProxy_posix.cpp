// UserProxy: no proxy settings on systems other than Windows: every request goes direct.
#include "UserProxy.h"

namespace net {
namespace proxy {

UserProxy::Settings UserProxy::ReadSettings() { return Settings(); }

UserProxy::Finder UserProxy::MakeFinder(const Settings&, int) { return Finder(); }

}  // namespace proxy
}  // namespace net
