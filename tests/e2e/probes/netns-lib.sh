# Network namespaces for the probes' tests (as root): HOST, whose default route
# goes through ROUTER, and NET behind it, the "internet" at 10.199.2.2. The
# addresses exist only inside them and no route leads out, so nothing probed
# there can leave the machine. Source it, call netns_make with a short tag, and
# netns_delete in the EXIT trap.

HOST= ROUTER= NET=

netns_make() {
  local tag=$1
  HOST=${tag}h$$ ROUTER=${tag}r$$ NET=${tag}i$$
  # Links: host to router (HOST_LINK, ROUTER_LINK), router to internet (OUT_LINK, NET_LINK).
  HOST_LINK=${tag}0$$ ROUTER_LINK=${tag}1$$ OUT_LINK=${tag}2$$ NET_LINK=${tag}3$$
  ip netns add "$HOST"
  ip netns add "$ROUTER"
  ip netns add "$NET"
  ip link add "$HOST_LINK" type veth peer name "$ROUTER_LINK"
  ip link set "$HOST_LINK" netns "$HOST"
  ip link set "$ROUTER_LINK" netns "$ROUTER"
  ip link add "$OUT_LINK" type veth peer name "$NET_LINK"
  ip link set "$OUT_LINK" netns "$ROUTER"
  ip link set "$NET_LINK" netns "$NET"
  ip -n "$HOST" link set lo up
  ip -n "$HOST" addr add 10.199.1.2/24 dev "$HOST_LINK"
  ip -n "$HOST" link set "$HOST_LINK" up
  ip -n "$HOST" route add default via 10.199.1.1
  ip -n "$ROUTER" addr add 10.199.1.1/24 dev "$ROUTER_LINK"
  ip -n "$ROUTER" addr add 10.199.2.1/24 dev "$OUT_LINK"
  ip -n "$ROUTER" link set "$ROUTER_LINK" up
  ip -n "$ROUTER" link set "$OUT_LINK" up
  ip netns exec "$ROUTER" sysctl -qw net.ipv4.ip_forward=1
  ip -n "$NET" addr add 10.199.2.2/24 dev "$NET_LINK"
  ip -n "$NET" link set "$NET_LINK" up
  ip -n "$NET" route add default via 10.199.2.1
  # As on most desktops, the user may open ICMP datagram sockets.
  ip netns exec "$HOST" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
}

netns_delete() {
  ip netns del "$HOST" 2>/dev/null || true
  ip netns del "$ROUTER" 2>/dev/null || true
  ip netns del "$NET" 2>/dev/null || true
}

internet_down() { ip -n "$NET" addr del 10.199.2.2/24 dev "$NET_LINK"; }
# The internet's default route went with its address.
internet_up() {
  ip -n "$NET" addr add 10.199.2.2/24 dev "$NET_LINK"
  ip -n "$NET" route add default via 10.199.2.1
}
router_down() { ip -n "$ROUTER" addr del 10.199.1.1/24 dev "$ROUTER_LINK"; }
router_up() { ip -n "$ROUTER" addr add 10.199.1.1/24 dev "$ROUTER_LINK"; }
