#include "platform/linux/Nl80211Socket.h"

#include <linux/nl80211.h>
#include <netlink/genl/ctrl.h>
#include <netlink/genl/genl.h>
#include <netlink/netlink.h>

#include <memory>

namespace quorvane {
namespace {

int OnValidMessage(nl_msg* message, void* handler) {
  nlmsghdr* netlink_header = nlmsg_hdr(message);
  if (!genlmsg_valid_hdr(netlink_header, 0)) return NL_SKIP;
  auto* header = static_cast<genlmsghdr*>(nlmsg_data(netlink_header));
  (*static_cast<const AttributeHandler*>(handler))(genlmsg_attrdata(header, 0),
                                                   genlmsg_attrlen(header, 0));
  return NL_OK;
}

}  // namespace

int Nl80211Dump(nl_sock* socket, int family, std::uint8_t command,
                std::optional<std::uint32_t> ifindex, const AttributeHandler& handler) {
  std::unique_ptr<nl_msg, void (*)(nl_msg*)> message(nlmsg_alloc(), nlmsg_free);
  std::unique_ptr<nl_cb, void (*)(nl_cb*)> callbacks(nl_cb_alloc(NL_CB_DEFAULT), nl_cb_put);
  if (!message || !callbacks) return -NLE_NOMEM;
  if (!genlmsg_put(message.get(), NL_AUTO_PORT, NL_AUTO_SEQ, family, 0, NLM_F_DUMP, command, 0))
    return -NLE_NOMEM;
  if (ifindex && nla_put_u32(message.get(), NL80211_ATTR_IFINDEX, *ifindex) < 0) return -NLE_NOMEM;
  nl_cb_set(callbacks.get(), NL_CB_VALID, NL_CB_CUSTOM, OnValidMessage,
            const_cast<AttributeHandler*>(&handler));
  if (const int sent = nl_send_auto(socket, message.get()); sent < 0) return sent;
  const int received = nl_recvmsgs(socket, callbacks.get());
  return received < 0 ? received : 0;
}

int ResolveNl80211FamilyNumber(nl_sock* socket) {
  const int family = genl_ctrl_resolve(socket, NL80211_GENL_NAME);
  return family == -NLE_OBJ_NOTFOUND ? kNoNl80211Family : family;
}

}  // namespace quorvane
