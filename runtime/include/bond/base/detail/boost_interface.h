// Programs written against the library use Boost names that come with its
// headers, without including Boost themselves: BOOST_STATIC_ASSERT,
// BOOST_ASSERT and BOOST_VERIFY, boost::make_shared, boost::enable_if and
// boost::remove_const.
#pragma once

#include <boost/assert.hpp>
#include <boost/make_shared.hpp>
#include <boost/static_assert.hpp>
#include <boost/type_traits/remove_const.hpp>
#include <boost/utility/enable_if.hpp>
