// What a wait holds back until it is over: the keys typed during it and the
// messages that came up meanwhile. They are handed on in that order, keys
// first, each once; a key may start another wait, which holds what follows
// until it is over in turn. Esc gives up a wait and drops the keys typed
// before it, never a message.
#pragma once

#include <deque>
#include <functional>
#include <utility>

namespace fw {

template <class Key, class Message>
class CHeldInput {
 public:
  void HoldKey(Key key) { m_keys.push_back(std::move(key)); }
  void HoldMessage(Message message) { m_messages.push_back(std::move(message)); }
  void DropKeys() { m_keys.clear(); }
  bool Empty() const { return m_keys.empty() && m_messages.empty(); }

  // Hands on what is held for as long as goOn() says so.
  void Deliver(const std::function<bool()>& goOn, const std::function<void(const Key&)>& key,
               const std::function<void(const Message&)>& message) {
    while (!m_keys.empty() && goOn()) {
      const Key next = std::move(m_keys.front());
      m_keys.pop_front();
      key(next);
    }
    while (m_keys.empty() && !m_messages.empty() && goOn()) {
      const Message next = std::move(m_messages.front());
      m_messages.pop_front();
      message(next);
    }
  }

 private:
  std::deque<Key> m_keys;
  std::deque<Message> m_messages;
};

}  // namespace fw
