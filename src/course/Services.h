// Program-wide services (personality, preferences, contents, sound output, ...):
// created once at start-up by the application, reachable from everywhere through
// Service<T>(), destroyed at exit. Service<T>() returns nullptr when the service
// does not exist (optional services, early start-up, tests); callers test for it.
// Ownership stays with whoever installs the pointer.
#pragma once

template <class T>
struct ServiceSlot {
  static inline T* instance = nullptr;
};

template <class T>
T* Service() {
  return ServiceSlot<T>::instance;
}

template <class T>
void InstallService(T* instance) {
  ServiceSlot<T>::instance = instance;
}

// Installs a service for a scope and restores the previous one (tests, tools).
template <class T>
class ScopedService {
 public:
  explicit ScopedService(T* instance) : m_previous(ServiceSlot<T>::instance) { ServiceSlot<T>::instance = instance; }
  ~ScopedService() { ServiceSlot<T>::instance = m_previous; }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  T* m_previous;
};
