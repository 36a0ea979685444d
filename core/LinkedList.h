// Doubly linked list with one allocated node per element.
#ifndef DRAVON_CORE_LINKED_LIST_H
#define DRAVON_CORE_LINKED_LIST_H

#include "dravon/Types.h"

namespace nox {
namespace audio {

//! Doubly linked list; the engine keeps its playing sounds in one.
template <typename T> class LinkedList {
    struct Node {
        Node* next;
        Node* prev;
        T element;
    };

public:
    class Iterator {
    public:
        Iterator() = default;
        T& operator*() const { return node_->element; }
        T* operator->() const { return &node_->element; }
        Iterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        bool operator==(const Iterator& other) const { return node_ == other.node_; }
        bool operator!=(const Iterator& other) const { return node_ != other.node_; }

    private:
        friend class LinkedList;
        explicit Iterator(Node* node) : node_(node) {}
        Node* node_ = nullptr;
    };

    LinkedList() = default;
    LinkedList(const LinkedList&) = delete;
    LinkedList& operator=(const LinkedList&) = delete;
    ~LinkedList() { clear(); }

    void push_back(const T& element) {
        Node* node = new Node{nullptr, tail_, element};
        if (tail_)
            tail_->next = node;
        else
            head_ = node;
        tail_ = node;
        ++count_;
    }

    //! Unlinks and frees the node at `it`; returns the iterator to the next node.
    Iterator erase(Iterator it) {
        Node* node = it.node_;
        Node* next = node->next;
        (node->prev ? node->prev->next : head_) = next;
        (next ? next->prev : tail_) = node->prev;
        delete node;
        --count_;
        return Iterator(next);
    }

    //! Frees every node.
    void clear() {
        while (head_) {
            Node* next = head_->next;
            delete head_;
            head_ = next;
        }
        tail_ = nullptr;
        count_ = 0;
    }

    Iterator begin() const { return Iterator(head_); }
    Iterator end() const { return Iterator(nullptr); }
    s32 size() const { return count_; }
    bool empty() const { return count_ == 0; }

private:
    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    s32 count_ = 0;
};

} // namespace audio
} // namespace nox

#endif
