// The public name of schema/reflection.h. The layers below core/ include that file
// itself (see runtime/README.md).
//
// Programs that walk a record's compile-time schema do it with Boost.MPL and
// Boost's type traits and assertions (boost::mpl::for_each over a transformed
// field list or a map of types, BOOST_STATIC_ASSERT, boost::enable_if), and
// hold run-time schemas in boost::shared_ptr made with boost::make_shared; the
// library's headers bring those in, so this one does too.
#pragma once

#include <bond/schema/reflection.h>

#include <boost/assert.hpp>
#include <boost/make_shared.hpp>
#include <boost/mpl/for_each.hpp>
#include <boost/mpl/list.hpp>
#include <boost/mpl/map.hpp>
#include <boost/mpl/pair.hpp>
#include <boost/mpl/transform.hpp>
#include <boost/static_assert.hpp>
#include <boost/type_traits/add_pointer.hpp>
#include <boost/utility/enable_if.hpp>
